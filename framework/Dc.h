#pragma once

// CDC: a device context. One made by CreateCompatibleDC is deleted with the
// object; one attached from elsewhere (a paint or owner-draw context) is only
// borrowed and must be detached before the object goes.

#include <windows.h>

class CBitmap;

class CDC {
public:
    CDC() = default;
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    void Attach(HDC hDC) { m_hDC = hDC; }
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // Returns the handle the context held before.
    HBITMAP SelectObject(CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject);

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    void FillSolidRect(const RECT& rc, COLORREF color);
    int ExcludeClipRect(const RECT& rc);
    BOOL DrawIcon(int x, int y, HICON hIcon);

private:
    HDC m_hDC = nullptr;
    bool m_bOwned = false;
};
