#pragma once

// CDialog: a dialog made from a template. Modal dialogs run a message loop of
// their own that gives PreTranslateMessage its chance first (then the dialog
// keyboard handling); modeless ones are created with Create and live until
// their window is destroyed.

#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds the dialog's control nIDC to a wrapper object, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Creates the dialog modelessly; the window's owner is pParentWnd.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Enables the owner again, hides the dialog and ends the modal loop;
    // does nothing for a modeless dialog.
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Fills the controls from the template's initialisation data, then binds
    // them (DoDataExchange).
    virtual BOOL OnInitDialog();
    // Both end a modal dialog's loop and destroy a modeless dialog.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    const MessageMap* GetMessageMap() const override;
    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    void EndDialogOrDestroy(int nResult);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a message to the PreTranslateMessage of its window and of that
    // window's parents up to the first top-level window.
    static BOOL WalkPreTranslate(MSG* pMsg);

    // Gives the owner that DoModal disabled its input and activation back.
    void ReleaseOwner();

    HWND m_hDisabledOwner = nullptr;
    bool m_bModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
