#include "framework/Dialog.h"

#include "framework/DlgInit.h"
#include "framework/WinApp.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd || !pDX || !pDX->m_pDlgWnd) return;
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND hWnd = UnsubclassWindow();
        ::DestroyWindow(hWnd);
    }
}

const MessageMap* CDialog::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapCommand<&CDialog::OnOK>(IDOK),
        MapCommand<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map = {CWnd::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg || !pDlg->SubclassWindow(hWnd)) return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd) return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    HWND hWnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, &CDialog::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr && m_hWnd == hWnd;
}

INT_PTR CDialog::DoModal()
{
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hParent && AfxGetMainWnd() && AfxGetMainWnd() != this) hParent = AfxGetMainWnd()->m_hWnd;
    if (hParent && !::IsWindow(hParent)) hParent = nullptr;
    m_hDisabledOwner = hParent && ::IsWindowEnabled(hParent) ? hParent : nullptr;
    if (m_hDisabledOwner) ::EnableWindow(m_hDisabledOwner, FALSE);

    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hParent, &CDialog::DialogProc,
                         reinterpret_cast<LPARAM>(this));
    if (m_hWnd && !m_bEndModal) {
        if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        MSG msg;
        while (!m_bEndModal && m_hWnd) {
            const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                // Leave the quit request for the loop around this one.
                if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!WalkPreTranslate(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    ReleaseOwner();
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        ::DestroyWindow(hWnd);
    }
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::ReleaseOwner()
{
    const HWND hOwner = m_hDisabledOwner;
    if (!hOwner) return;
    m_hDisabledOwner = nullptr;
    ::EnableWindow(hOwner, TRUE);
    ::SetActiveWindow(hOwner);
}

BOOL CDialog::WalkPreTranslate(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

void CDialog::EndDialog(int nResult)
{
    // Only a modal loop ends here. The platform's EndDialog on a modeless
    // dialog would merely hide it, and would re-enable its owner even while
    // a modal dialog keeps the owner disabled.
    if (!m_bModal) return;
    m_nModalResult = nResult;
    m_bEndModal = true;
    // As the platform's own modal end: the owner takes input and activation
    // back, then the dialog goes from the screen at once, so whatever the
    // ending handler shows next does not stand over it.
    ReleaseOwner();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    // Wake the loop even when no other message is waiting.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_hWnd, m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialogOrDestroy(IDOK);
}

void CDialog::OnCancel()
{
    EndDialogOrDestroy(IDCANCEL);
}

void CDialog::EndDialogOrDestroy(int nResult)
{
    if (m_bModal) {
        EndDialog(nResult);
    } else {
        DestroyWindow();
    }
}
