#include "framework/ImageList.h"

#include "framework/Bitmap.h"

CImageList::~CImageList()
{
    if (m_hImageList) ::ImageList_Destroy(m_hImageList);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList) ::ImageList_Destroy(m_hImageList);
    m_hImageList = ::ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

int CImageList::Add(CBitmap* pBitmap, COLORREF crMask)
{
    if (!m_hImageList || !pBitmap || !pBitmap->GetSafeHandle()) return -1;
    return ::ImageList_AddMasked(m_hImageList, pBitmap->GetSafeHandle(), crMask);
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}
