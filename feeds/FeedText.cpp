// Usage counts, the fetch every feed goes through, and the feeds' two text
// operations.
#include <vector>

#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/TextRules.h"
#include "feeds/AnalyticsPing.h"

void CMainDlg::SendAnalyticsPing(CString strUrl)
{
    ::SendAnalyticsPing(strUrl.Str(), STEL7_NET_DEADLINE_MS);
}

void CMainDlg::SendCount(const char* pszEvent)
{
    SendAnalyticsPing(CString("http://" STEL7_VENDOR_HOST) + kCountPath + "?mode=stel7_" + pszEvent + "&key=stel7");
}

XmlResult CMainDlg::FetchFeed(const XmlRequest& request)
{
    if (m_bClosing) return XmlResult{true, false, {}, {}};
    return FetchXml(request, STEL7_NET_DEADLINE_MS);
}

CString CMainDlg::EncodeKeyword(CString strKeyword)
{
    if (strKeyword.IsEmpty()) return CString();
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, strKeyword, -1, nullptr, 0);
    if (wideLength <= 0) return CString();
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    ::MultiByteToWideChar(CP_ACP, 0, strKeyword, -1, wide.data(), wideLength);
    const int utf8Length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 1) return CString();
    std::vector<char> utf8(static_cast<size_t>(utf8Length));
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, utf8.data(), utf8Length, nullptr, nullptr);
    return CString(core::PercentEncodeUtf8(std::string(utf8.data(), static_cast<size_t>(utf8Length - 1))));
}

CString CMainDlg::FormatDuration(int nSeconds)
{
    return CString(core::FormatDuration(nSeconds));
}
