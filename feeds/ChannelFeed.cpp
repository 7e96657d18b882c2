// A channel's latest uploads: the feed is downloaded to a local copy, which is
// then read like any other document.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"
#include "feeds/UrlDownload.h"

void CMainDlg::LoadChannelVideos(CString strChannelId)
{
    m_listChannel.DeleteAllItems();
    KeepColumns({}, {&m_arrChannelTitle, &m_arrChannelTime, &m_arrChannelRatings, &m_arrChannelViews,
                     &m_arrChannelUrl});
    if (m_closing.IsSet() || m_strTempDir.IsEmpty()) return;

    const CString strUrl = CString("http://" STEL7_VIDEO_HOST "/rss/user/") + strChannelId + "/videos.rss";
    const CString strCopy = m_strTempDir + "vod.xml";
    DeleteCachedUrl(strUrl.Str());
    // A failed download must not leave an earlier channel's copy to be read
    // under this channel's tab.
    if (!DownloadUrlToFile(strUrl.Str(), strCopy.Str(), STEL7_NET_DEADLINE_MS, {}, m_closing.Handle())) {
        ::DeleteFileA(strCopy);
        ReportNoResponse();
        return;
    }

    XmlRequest request;
    request.url = strCopy.Str();
    request.recordTag = "item";
    request.recordFields = {{"title", -1}, {"description", -1}, {"link", -1}};
    const XmlResult result = FetchFeed(request);
    if (result.requestFailed) {
        ReportNoResponse();
        return;
    }
    if (!result.parsed) return;

    std::vector<core::ChannelItem> items;
    for (const auto& record : result.records) {
        if (record.size() == 3) items.push_back({record[0], record[1], record[2]});
    }
    const std::vector<core::Row> rows = core::ChannelRows(items, STEL7_VIDEO_HOST);
    KeepColumns(rows, {&m_arrChannelTitle, &m_arrChannelTime, &m_arrChannelRatings, &m_arrChannelViews,
                       &m_arrChannelUrl});
    AppendRows(m_listChannel, rows);
}

void CMainDlg::ReportNoResponse()
{
    // The window's own thread shows the box, never a worker: a worker that
    // holds the feed gate must not wait on the user while the window's thread
    // waits on the worker. A load cut short by closing says nothing.
    if (!m_closing.IsSet()) PostMessage(WM_NO_RESPONSE);
}

LRESULT CMainDlg::OnNoResponse(WPARAM, LPARAM)
{
    if (!m_closing.IsSet()) MessageBox(kTextNoResponse, kTextProductName, MB_OK | MB_ICONINFORMATION);
    return 0;
}
