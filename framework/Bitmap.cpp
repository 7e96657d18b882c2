#include "framework/Bitmap.h"

#include "framework/Dc.h"
#include "framework/WinApp.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    DeleteObject();
    m_hBitmap = static_cast<HBITMAP>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource),
                                                  IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    return m_hBitmap != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    DeleteObject();
    if (!pDC || !pDC->GetSafeHdc() || nWidth <= 0 || nHeight <= 0) return FALSE;
    m_hBitmap = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight);
    return m_hBitmap != nullptr;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hBitmap) return FALSE;
    const BOOL deleted = ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    return deleted;
}

SIZE CBitmap::GetSize() const
{
    BITMAP bm = {};
    SIZE size = {0, 0};
    if (m_hBitmap && ::GetObjectA(m_hBitmap, sizeof(bm), &bm) == sizeof(bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}
