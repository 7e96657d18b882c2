#include "app/OrleButton.h"

#include <commctrl.h>

#include "framework/Dc.h"

namespace {

const UINT WM_ORLE_LOADBITMAPS = WM_APP + 1;

}  // namespace

const MessageMap* COrleButton::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapMouse<&COrleButton::OnMouseMove>(WM_MOUSEMOVE),
        MapRawMessage<&COrleButton::OnMouseLeave>(WM_MOUSELEAVE),
        MapRawMessage<&COrleButton::OnMouseHover>(WM_MOUSEHOVER),
        MapRawMessage<&COrleButton::OnLoadBitmaps>(WM_ORLE_LOADBITMAPS),
    };
    static const MessageMap map = {CButton::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

int COrleButton::LoadBitmaps(UINT nIDNormal, UINT nIDPressed, UINT nIDHover)
{
    if (m_hWnd && ::GetWindowThreadProcessId(m_hWnd, nullptr) != ::GetCurrentThreadId()) {
        SendMessage(WM_ORLE_LOADBITMAPS, MAKEWPARAM(nIDNormal & 0xFFFF, nIDPressed & 0xFFFF), nIDHover & 0xFFFF);
    } else {
        ReplacePictures(nIDNormal, nIDPressed, nIDHover);
    }
    return 0;
}

LRESULT COrleButton::OnLoadBitmaps(WPARAM wParam, LPARAM lParam)
{
    ReplacePictures(LOWORD(wParam), HIWORD(wParam), static_cast<UINT>(lParam));
    return 0;
}

void COrleButton::ReplacePictures(UINT nIDNormal, UINT nIDPressed, UINT nIDHover)
{
    m_bmpNormal.LoadBitmap(nIDNormal & 0xFFFF);
    m_bmpPressed.LoadBitmap(nIDPressed & 0xFFFF);
    m_bmpHover.LoadBitmap(nIDHover & 0xFFFF);
}

void COrleButton::DrawItem(DRAWITEMSTRUCT* pDrawItemStruct)
{
    if (!pDrawItemStruct) return;
    CDC dc;
    dc.Attach(pDrawItemStruct->hDC);
    CDC memDC;
    if (memDC.CreateCompatibleDC(&dc)) {
        CBitmap* pPicture = &m_bmpNormal;
        if (pDrawItemStruct->itemState & ODS_SELECTED) {
            pPicture = &m_bmpPressed;
        } else if (m_bHover) {
            pPicture = &m_bmpHover;
        }
        HBITMAP hOld = memDC.SelectObject(pPicture);
        if (hOld) {
            dc.BitBlt(0, 0, m_rcButton.right - m_rcButton.left, m_rcButton.bottom - m_rcButton.top, &memDC, 0, 0,
                      SRCCOPY);
            memDC.SelectObject(hOld);
        }
    }
    dc.Detach();
}

void COrleButton::OnMouseMove(UINT, POINT)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = 1;
        m_bTracking = ::_TrackMouseEvent(&tme);
    }
    Default();
}

LRESULT COrleButton::OnMouseHover(WPARAM, LPARAM)
{
    m_bHover = TRUE;
    Invalidate(FALSE);
    return 1;
}

LRESULT COrleButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(FALSE);
    return 1;
}
