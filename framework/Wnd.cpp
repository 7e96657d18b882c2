#include "framework/Wnd.h"

#include "framework/MessageBox.h"

namespace {

const char kObjectProperty[] = "stel7.CWnd";

// The message now being handled on this thread, for CWnd::Default().
thread_local MSG t_currentMsg = {};

class CurrentMessage {
public:
    CurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) : m_saved(t_currentMsg)
    {
        t_currentMsg.hwnd = hWnd;
        t_currentMsg.message = message;
        t_currentMsg.wParam = wParam;
        t_currentMsg.lParam = lParam;
    }
    ~CurrentMessage() { t_currentMsg = m_saved; }

private:
    MSG m_saved;
};

}  // namespace

CWnd::~CWnd()
{
    // The object may go before its window (a control member of a dialog that
    // is already destroyed, or a wrapper that never owned its window): cut
    // the link so that later messages go to the window's own procedure.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd) return nullptr;
    return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty));
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) return FALSE;
    if (!::SetPropA(hWnd, kObjectProperty, this)) return FALSE;
    m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return nullptr;
    if (m_pfnSuper) ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(hWnd, kObjectProperty);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return nullptr;
}

bool CWnd::FindHandler(UINT message, WPARAM wParam, LPARAM lParam, const MessageMapEntry** ppEntry) const
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (!pHdr) return false;
        code = pHdr->code;
        id = static_cast<UINT>(pHdr->idFrom);
    }
    const bool byControl = message == WM_COMMAND || message == WM_NOTIFY;
    for (const MessageMap* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap) {
        for (size_t i = 0; i < pMap->nEntries; ++i) {
            const MessageMapEntry& entry = pMap->pEntries[i];
            const UINT wanted = entry.pnRegistered ? *entry.pnRegistered : entry.nMessage;
            if (wanted != message || (entry.pnRegistered && wanted == 0)) continue;
            if (byControl && (entry.nCode != code || id < entry.nIdFirst || id > entry.nIdLast)) continue;
            *ppEntry = &entry;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && wParam != 0) {
        const DRAWITEMSTRUCT* pDis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* pChild = pDis ? FromHandlePermanent(pDis->hwndItem) : nullptr;
        LRESULT result = 0;
        if (pChild && pChild->OnChildNotify(message, wParam, lParam, &result)) return result;
    }
    const MessageMapEntry* pEntry = nullptr;
    if (FindHandler(message, wParam, lParam, &pEntry)) return pEntry->pfnCall(this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd) return 0;
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

void CWnd::PaintIconOrDefault(HICON hIcon)
{
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc));
    RECT rc;
    GetClientRect(&rc);
    const int x = (rc.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(hdc, x, y, hIcon);
    ::EndPaint(m_hWnd, &ps);
}

void CWnd::OnDragByBackground(UINT, POINT point)
{
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    // No exception may cross into the platform's window manager.
    LRESULT result = 0;
    try {
        CurrentMessage current(hWnd, message, wParam, lParam);
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd) {
        WNDPROC pfnSuper = pWnd->m_pfnSuper;
        pWnd->UnsubclassWindow();
        if (pfnSuper) ::CallWindowProcA(pfnSuper, hWnd, message, wParam, lParam);
        pWnd->PostNcDestroy();
    }
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return m_hWnd ? ::ShowWindow(m_hWnd, nCmdShow) : FALSE;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return m_hWnd ? ::EnableWindow(m_hWnd, bEnable) : FALSE;
}

void CWnd::SetWindowText(const char* pszText)
{
    if (m_hWnd) ::SetWindowTextA(m_hWnd, pszText ? pszText : "");
}

CString CWnd::GetWindowText() const
{
    CString text;
    if (!m_hWnd) return text;
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return text;
    ::GetWindowTextA(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_hWnd) ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(const RECT& rc, BOOL bRepaint)
{
    MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, bRepaint);
}

BOOL CWnd::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return m_hWnd ? ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags) : FALSE;
}

void CWnd::GetClientRect(RECT* pRect) const
{
    *pRect = RECT{};
    if (m_hWnd) ::GetClientRect(m_hWnd, pRect);
}

void CWnd::GetWindowRect(RECT* pRect) const
{
    *pRect = RECT{};
    if (m_hWnd) ::GetWindowRect(m_hWnd, pRect);
}

void CWnd::ScreenToClient(RECT* pRect) const
{
    if (!m_hWnd) return;
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(pRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (!m_hWnd) return;
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (!hOwner && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD)) hOwner = ::GetParent(m_hWnd);
    RECT rcArea = {};
    RECT rcCenter = {};
    HMONITOR hMonitor = ::MonitorFromWindow(hOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner)) {
        ::GetWindowRect(hOwner, &rcCenter);
    } else {
        rcCenter = rcArea;
    }
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    // Keep the window on the work area, as the framework's centring does.
    if (x + width > rcArea.right) x = rcArea.right - width;
    if (x < rcArea.left) x = rcArea.left;
    if (y + height > rcArea.bottom) y = rcArea.bottom - height;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL bErase)
{
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(const RECT* pRect, BOOL bErase)
{
    if (m_hWnd) ::InvalidateRect(m_hWnd, pRect, bErase);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd)
{
    if (!m_hWnd) return FALSE;
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(dwRemove)) | static_cast<LONG_PTR>(dwAdd);
    if (changed == style) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
    return TRUE;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    return m_hWnd ? ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return m_hWnd ? ::KillTimer(m_hWnd, nIDEvent) : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
}

HWND CWnd::SetFocus()
{
    return m_hWnd ? ::SetFocus(m_hWnd) : nullptr;
}

BOOL CWnd::SetForegroundWindow()
{
    return m_hWnd ? ::SetForegroundWindow(m_hWnd) : FALSE;
}

BOOL CWnd::BringWindowToTop()
{
    return m_hWnd ? ::BringWindowToTop(m_hWnd) : FALSE;
}

BOOL CWnd::IsIconic() const
{
    return m_hWnd ? ::IsIconic(m_hWnd) : FALSE;
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd ? FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
}

HWND CWnd::GetDlgItem(int nID) const
{
    return m_hWnd ? ::GetDlgItem(m_hWnd, nID) : nullptr;
}

int CWnd::MessageBox(const char* pszText, const char* pszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, pszText, pszCaption, nType);
}
