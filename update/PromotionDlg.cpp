#include "update/PromotionDlg.h"

#include "core/Geometry.h"
#include "framework/WinApp.h"
#include "framework/KeyFilter.h"
#include "res/resource.h"

CPromotionDlg::CPromotionDlg(UINT nIDTemplate, UINT nIDBrowser) : CDialog(nIDTemplate), m_nIDBrowser(nIDBrowser)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

void CPromotionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(m_nIDBrowser), m_browser);
}

BOOL CPromotionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_rcLayout = RECT{0, 0, core::kPromotionWidth, core::kPromotionHeight};
    m_browser.MoveWindow(m_rcLayout);
    // Centred on the work area: the pop-up's place; the toast moves on to its corner.
    MoveWindow(m_rcLayout);
    CenterWindow();
    return TRUE;
}

BOOL CPromotionDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsDialogCloseKey(pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CPromotionDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CPromotionDlg::Present(const char* pszUrl)
{
    m_browser.Navigate(pszUrl);
    ShowWindow(SW_SHOW);
}
