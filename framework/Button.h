#pragma once

// CButton: a push button, check box or owner-draw button. An owner-draw button
// draws itself in DrawItem, which its parent reflects to it.

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }

    virtual void DrawItem(DRAWITEMSTRUCT* pDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
