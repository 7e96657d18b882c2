#include "framework/Dc.h"

#include "framework/Bitmap.h"

CDC::~CDC()
{
    DeleteDC();
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    const BOOL deleted = m_bOwned ? ::DeleteDC(m_hDC) : FALSE;
    m_hDC = nullptr;
    m_bOwned = false;
    return deleted;
}

HBITMAP CDC::SelectObject(CBitmap* pBitmap)
{
    if (!m_hDC || !pBitmap || !pBitmap->GetSafeHandle()) return nullptr;
    return static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->GetSafeHandle()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!m_hDC || !hObject) return nullptr;
    return ::SelectObject(m_hDC, hObject);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (!m_hDC) return FALSE;
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    if (!m_hDC) return FALSE;
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

void CDC::FillSolidRect(const RECT& rc, COLORREF color)
{
    if (!m_hDC) return;
    HBRUSH brush = ::CreateSolidBrush(color);
    if (!brush) return;
    ::FillRect(m_hDC, &rc, brush);
    ::DeleteObject(brush);
}

int CDC::ExcludeClipRect(const RECT& rc)
{
    if (!m_hDC) return ERROR;
    return ::ExcludeClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!m_hDC) return FALSE;
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
