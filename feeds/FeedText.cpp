// Usage counts and the feeds' two text operations.
#include "app/MainDlg.h"
#include "core/TextRules.h"
#include "feeds/FeedText.h"
#include "feeds/net/VendorUrls.h"
#include "framework/TextConvert.h"

void CMainDlg::SendAnalyticsPing(CString strUrl)
{
    m_feeds.Queue(FeedTarget::Count, [strUrl = std::string(strUrl.Str())](const CFeedJob& job) -> CFeedWork::Apply {
        job.SendPing(strUrl);
        return nullptr;
    });
}

void CMainDlg::SendCount(const char* pszEvent)
{
    SendAnalyticsPing(CString(CountUrl(pszEvent)));
}

CString CMainDlg::EncodeKeyword(CString strKeyword)
{
    return CString(EncodeSearchTerm(strKeyword.Str()));
}

std::string EncodeSearchTerm(const std::string& strTerm)
{
    const std::wstring wide = CodePageToWide(strTerm);
    return core::PercentEncodeUtf8(WideToCodePage(wide.data(), wide.size(), CP_UTF8));
}

CString CMainDlg::FormatDuration(int nSeconds)
{
    return CString(core::FormatDuration(nSeconds));
}
