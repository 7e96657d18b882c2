// The video and micro-blog searches and the search button.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"

namespace {

std::string Cell(const std::vector<std::string>& record, size_t index)
{
    return index < record.size() ? record[index] : std::string();
}

}  // namespace

void CMainDlg::OnSearch()
{
    SendCount("search");
    m_strKeyword = m_editSearch.GetWindowText();
    if (m_strKeyword.IsEmpty()) {
        // Nothing changes: the section on screen stays the current one.
        MessageBox(kTextEnterKeyword, kTextProductName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CFeedTurn turn(m_feedGate);
    if (m_nSection != 1) {
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listVideo);
        m_nTab = 1;
    }
    // The rebuilt strip selects the tab of the list that stays on screen.
    ShowSearchTabs();
    LoadVideoSearch(m_strKeyword);
    LoadTweetSearch(m_strKeyword);
    m_nSection = 1;
}

void CMainDlg::LoadVideoSearch(CString strKeyword)
{
    m_listVideo.DeleteAllItems();
    KeepColumns({}, {&m_arrVideoTitle, &m_arrVideoSeconds, &m_arrVideoDate, &m_arrVideoViews, &m_arrVideoUrl});

    XmlRequest request;
    request.url = (CString("http://" STEL7_GDATA_HOST "/feeds/api/videos?max-results=30&q=") +
                   EncodeKeyword(strKeyword)).Str();
    request.recordTag = "entry";
    request.recordFields = {{"title", -1}, {"id", -1}, {"yt:duration", 0}, {"published", -1}, {"yt:statistics", 1}};
    const XmlResult result = FetchFeed(request);
    if (!result.parsed) return;

    std::vector<core::VideoEntry> entries;
    for (const auto& record : result.records) {
        entries.push_back({Cell(record, 0), Cell(record, 1), Cell(record, 2), Cell(record, 3), Cell(record, 4)});
    }
    const std::vector<core::Row> rows = core::VideoRows(entries, STEL7_VIDEO_HOST);
    KeepColumns(rows, {&m_arrVideoTitle, &m_arrVideoSeconds, &m_arrVideoDate, &m_arrVideoViews, &m_arrVideoUrl});
    AppendRows(m_listVideo, rows);
}

void CMainDlg::LoadTweetSearch(CString strKeyword)
{
    m_listTweet.DeleteAllItems();
    KeepColumns({}, {&m_arrTweetTitle, &m_arrTweetName, &m_arrTweetDate, &m_arrTweetUri});

    XmlRequest request;
    request.url = (CString("http://" STEL7_TWITTER_HOST "/search.atom?q=") + EncodeKeyword(strKeyword)).Str();
    request.recordTag = "entry";
    request.recordFields = {{"title", -1}, {"name", -1}, {"published", -1}, {"uri", -1}};
    const XmlResult result = FetchFeed(request);
    if (!result.parsed) return;

    std::vector<core::TweetEntry> entries;
    for (const auto& record : result.records) {
        entries.push_back({Cell(record, 0), Cell(record, 1), Cell(record, 2), Cell(record, 3)});
    }
    const std::vector<core::Row> rows = core::TweetRows(entries);
    KeepColumns(rows, {&m_arrTweetTitle, &m_arrTweetName, &m_arrTweetDate, &m_arrTweetUri});
    AppendRows(m_listTweet, rows);
}
