#pragma once

#include "framework/Wnd.h"

// CComboBox: a drop-down list of texts.
class CComboBox : public CWnd {
public:
    int AddString(const char* pszString)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszString)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
};
