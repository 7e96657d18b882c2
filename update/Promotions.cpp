// The promotion checks: the vendor's advertising document switches the
// start-up pop-up and the tray toast on and names the page each shows. The
// addresses arrive over plain HTTP, so only a web address is shown: a file: or
// javascript: address would run in a more trusted zone than the page's own.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/Flag.h"
#include "core/WebLink.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

bool CMainDlg::ReadPromotion(const char* pszSettingTag, const char* pszUrlTag, CString& strUrl)
{
    XmlRequest request;
    request.url = "http://" STEL7_VENDOR_HOST "/app/stel7/advert/config.xml";
    request.deleteCacheEntry = true;
    // Exactly "true": a blank around the word switches nothing on.
    request.preserveWhiteSpace = true;
    request.readings = {{pszSettingTag, -1}, {pszUrlTag, -1}};
    const XmlResult result = FetchFeed(request);
    // A document without either element switches nothing on.
    if (!result.parsed || result.readings.size() != 2 || result.readings[0].empty() || result.readings[1].empty()) {
        return false;
    }
    if (!core::IsOn(result.readings[0][0]) || !core::IsWebAddress(result.readings[1][0])) return false;
    strUrl = CString(result.readings[1][0]);
    return true;
}

template <class TDlg>
void CMainDlg::CheckPromotion(TDlg*& pDlg, const char* pszSettingTag, const char* pszUrlTag, const char* pszEvent)
{
    CString strUrl;
    if (!ReadPromotion(pszSettingTag, pszUrlTag, strUrl)) return;
    bool bShown = false;
    RunOnWindowThread([&] {
        // Made on first use and reused while its window exists. An object
        // whose window was never made, or is gone, is deleted and made again.
        if (!pDlg || !::IsWindow(pDlg->m_hWnd)) {
            delete pDlg;
            pDlg = new TDlg;
            if (!pDlg->Create(TDlg::IDD, this)) {
                delete pDlg;
                pDlg = nullptr;
                return;
            }
        }
        pDlg->Present(strUrl);
        bShown = true;
    });
    if (bShown) SendCount(pszEvent);
}

void CMainDlg::CheckPopup()
{
    CheckPromotion(m_pPopupDlg, "popup_setting", "popup_url", "popup");
}

void CMainDlg::CheckToast()
{
    CheckPromotion(m_pToastDlg, "toast_setting", "toast_url", "toast");
}
