#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Wnd.h"

// CTabCtrl: a tab strip of text-only tabs.
class CTabCtrl : public CWnd {
public:
    int InsertItem(int nItem, const char* pszText);
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
    CString GetItemText(int nItem) const;
};
