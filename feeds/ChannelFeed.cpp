// A channel's latest uploads: the feed is downloaded to a local copy, which is
// then read like any other document.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"
#include "feeds/net/UrlDownload.h"

namespace {

struct ChannelResult {
    std::vector<core::Row> rows;
    // The server gave no answer: the user is told so.
    bool bNoResponse = false;
};

ChannelResult FetchChannelRows(const CFeedJob& job, const std::string& strChannelId, const std::string& strCopy)
{
    ChannelResult channel;
    const std::string strUrl = "http://" STEL7_VIDEO_HOST "/rss/user/" + strChannelId + "/videos.rss";
    DeleteCachedUrl(strUrl);
    // A failed download must not leave an earlier channel's copy to be read
    // under this channel's tab.
    if (!DownloadUrlToFile(strUrl, strCopy, STEL7_NET_DEADLINE_MS, {}, job.Cancel())) {
        ::DeleteFileA(strCopy.c_str());
        channel.bNoResponse = true;
        return channel;
    }
    XmlRequest request;
    request.url = strCopy;
    request.recordTag = "item";
    request.recordFields = {{"title", -1}, {"description", -1}, {"link", -1}};
    const XmlResult result = job.Fetch(request);
    channel.bNoResponse = result.requestFailed;
    std::vector<core::ChannelItem> items;
    for (const auto& record : result.records) {
        if (record.size() == 3) items.push_back({record[0], record[1], record[2]});
    }
    if (result.parsed) channel.rows = core::ChannelRows(items, STEL7_VIDEO_HOST);
    return channel;
}

}  // namespace

void CMainDlg::LoadChannelVideos(CString strChannelId)
{
    QueueChannelVideos(strChannelId.Str(), 0);
}

void CMainDlg::QueueChannelVideos(const std::string& strChannelId, unsigned nSwitch)
{
    // Without a temporary folder there is nowhere to keep the copy: the list
    // is emptied and nothing is fetched.
    const std::string strCopy = m_strTempDir.IsEmpty() ? std::string() : std::string((m_strTempDir + "vod.xml").Str());
    m_feeds.Queue(
        FeedTarget::Channel,
        [strChannelId, strCopy](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            const ChannelResult channel = strCopy.empty() ? ChannelResult() : FetchChannelRows(job, strChannelId, strCopy);
            return [channel](CMainDlg& dlg) {
                ReplaceRows(dlg.m_listChannel, channel.rows,
                            {&dlg.m_sections.m_arrChannelTitle, &dlg.m_sections.m_arrChannelTime, &dlg.m_sections.m_arrChannelRatings,
                             &dlg.m_sections.m_arrChannelViews, &dlg.m_sections.m_arrChannelUrl});
                // The box is shown from its own message, after this result
                // is in place and outside whatever runs the results.
                if (channel.bNoResponse) dlg.PostMessage(WM_NO_RESPONSE);
            };
        },
        nSwitch);
}

LRESULT CMainDlg::OnNoResponse(WPARAM, LPARAM)
{
    if (!m_feeds.IsClosing()) MessageBox(kTextNoResponse, kTextProductName, MB_OK | MB_ICONINFORMATION);
    return 0;
}
