// Usage counts, the fetch every feed goes through, and the feeds' two text
// operations.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/TextRules.h"
#include "feeds/AnalyticsPing.h"
#include "feeds/VendorUrls.h"
#include "framework/TextConvert.h"

void CMainDlg::SendAnalyticsPing(CString strUrl)
{
    ::SendAnalyticsPing(strUrl.Str(), STEL7_NET_DEADLINE_MS, m_closing.Handle());
}

void CMainDlg::SendCount(const char* pszEvent)
{
    SendAnalyticsPing(CString(CountUrl(pszEvent)));
}

XmlResult CMainDlg::FetchFeed(const XmlRequest& request)
{
    if (m_closing.IsSet()) return XmlResult{true, false, {}, {}};
    return FetchXml(request, STEL7_NET_DEADLINE_MS, m_closing.Handle());
}

CString CMainDlg::EncodeKeyword(CString strKeyword)
{
    const std::wstring wide = CodePageToWide(strKeyword.Str());
    return CString(core::PercentEncodeUtf8(WideToCodePage(wide.data(), wide.size(), CP_UTF8)));
}

CString CMainDlg::FormatDuration(int nSeconds)
{
    return CString(core::FormatDuration(nSeconds));
}
