// The promotion checks: the vendor's advertising document switches the
// start-up pop-up and the tray toast on and names the page each shows. The
// addresses arrive over plain HTTP, so only a web address is shown: a file: or
// javascript: address would run in a more trusted zone than the page's own.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/Flag.h"
#include "core/WebLink.h"
#include "framework/OwnedWindow.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

namespace {

// The worker's half: the page the advertising document switches on for one
// window, or "" when the first setting element is not exactly "true" or the
// first address element, blanks around it aside, holds no web address.
std::string FetchPromotionUrl(const CFeedJob& job, const char* pszSettingTag, const char* pszUrlTag)
{
    XmlRequest request;
    request.url = "http://" STEL7_VENDOR_HOST "/app/stel7/advert/config.xml";
    request.deleteCacheEntry = true;
    // Exactly "true": a blank around the word switches nothing on.
    request.preserveWhiteSpace = true;
    request.readings = {{pszSettingTag, -1}, {pszUrlTag, -1}};
    const XmlResult result = job.Fetch(request);
    // A document without either element switches nothing on.
    if (!result.parsed || result.readings.size() != 2 || result.readings[0].empty() || result.readings[1].empty()) {
        return std::string();
    }
    const std::string strUrl = core::TrimBlanks(result.readings[1][0]);
    return core::IsOn(result.readings[0][0]) && core::IsWebAddress(strUrl) ? strUrl : std::string();
}

}  // namespace

template <class TDlg>
void CMainDlg::ShowPromotion(TDlg*& pDlg, const CString& strUrl, const char* pszEvent)
{
    // Made on first use and reused while its window exists. An object whose
    // window was never made, or is gone, is deleted and made again.
    if (!pDlg || !::IsWindow(pDlg->m_hWnd)) {
        DestroyOwned(pDlg);
        pDlg = new TDlg;
        if (!pDlg->Create(TDlg::IDD, this)) {
            delete pDlg;
            pDlg = nullptr;
            return;
        }
    }
    pDlg->Present(strUrl);
    SendCount(pszEvent);
}

void CMainDlg::CheckPopup()
{
    m_feeds.Queue(FeedTarget::Popup, [](const CFeedJob& job) -> CFeedWork::Apply {
        const std::string strUrl = FetchPromotionUrl(job, "popup_setting", "popup_url");
        if (strUrl.empty()) return nullptr;
        return [strUrl](CMainDlg& dlg) { dlg.ShowPromotion(dlg.m_pPopupDlg, CString(strUrl), "popup"); };
    });
}

void CMainDlg::CheckToast()
{
    m_feeds.Queue(FeedTarget::Toast, [](const CFeedJob& job) -> CFeedWork::Apply {
        const std::string strUrl = FetchPromotionUrl(job, "toast_setting", "toast_url");
        if (strUrl.empty()) return nullptr;
        return [strUrl](CMainDlg& dlg) { dlg.ShowPromotion(dlg.m_pToastDlg, CString(strUrl), "toast"); };
    });
}
