#pragma once

// CListCtrl: a report-view list. Every call is one message to the list
// window, so a worker thread may fill a list that the main thread shows.

#include <windows.h>

#include <commctrl.h>

#include "framework/Wnd.h"

class CImageList;

class CListCtrl : public CWnd {
public:
    int InsertColumn(int nCol, const char* pszHeading, int nFormat, int nWidth);
    int InsertItem(int nItem, const char* pszText);
    BOOL SetItemText(int nItem, int nSubItem, const char* pszText);
    // The whole text of a cell, however long; empty for a cell that does not exist.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    BOOL SetCallbackMask(UINT nMask);
    // Hands the image list to the list, which keeps it for its lifetime.
    void SetImageList(CImageList* pImageList, int nImageListType);
    int GetColumnWidth(int nCol) const;
    CString GetColumnHeading(int nCol) const;
    int GetColumnCount() const;
};
