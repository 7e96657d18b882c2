#pragma once

// CBitmap: owns one GDI bitmap and deletes it with the object, so replacing a
// picture never accumulates handles.

#include <windows.h>

class CDC;

class CBitmap {
public:
    CBitmap() = default;
    ~CBitmap() { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    operator HBITMAP() const { return m_hBitmap; }

    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL DeleteObject();
    SIZE GetSize() const;

private:
    HBITMAP m_hBitmap = nullptr;
};
