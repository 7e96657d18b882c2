#pragma once

#include <windows.h>

#include <commctrl.h>

class CBitmap;

// CImageList: owns an image list until it is handed to a control that keeps it.
class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    int Add(CBitmap* pBitmap, COLORREF crMask);
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    HIMAGELIST Detach();

private:
    HIMAGELIST m_hImageList = nullptr;
};
