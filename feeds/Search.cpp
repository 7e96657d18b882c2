// The video and micro-blog searches and the search button.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/Section.h"
#include "core/FeedRows.h"
#include "feeds/FeedText.h"
#include "feeds/ListFill.h"

namespace {

std::string Cell(const std::vector<std::string>& record, size_t index)
{
    return index < record.size() ? record[index] : std::string();
}

// The worker's halves: a term's rows, none when the answer was no document.
std::vector<core::Row> FetchVideoRows(const CFeedJob& job, const std::string& strTerm)
{
    XmlRequest request;
    request.url = "http://" STEL7_GDATA_HOST "/feeds/api/videos?max-results=30&q=" + EncodeSearchTerm(strTerm);
    request.recordTag = "entry";
    request.recordFields = {{"title", -1}, {"id", -1}, {"yt:duration", 0}, {"published", -1}, {"yt:statistics", 1}};
    const XmlResult result = job.Fetch(request);
    std::vector<core::VideoEntry> entries;
    for (const auto& record : result.records) {
        entries.push_back({Cell(record, 0), Cell(record, 1), Cell(record, 2), Cell(record, 3), Cell(record, 4)});
    }
    return result.parsed ? core::VideoRows(entries, STEL7_VIDEO_HOST) : std::vector<core::Row>();
}

std::vector<core::Row> FetchTweetRows(const CFeedJob& job, const std::string& strTerm)
{
    XmlRequest request;
    request.url = "http://" STEL7_TWITTER_HOST "/search.atom?q=" + EncodeSearchTerm(strTerm);
    request.recordTag = "entry";
    request.recordFields = {{"title", -1}, {"name", -1}, {"published", -1}, {"uri", -1}};
    const XmlResult result = job.Fetch(request);
    std::vector<core::TweetEntry> entries;
    for (const auto& record : result.records) {
        entries.push_back({Cell(record, 0), Cell(record, 1), Cell(record, 2), Cell(record, 3)});
    }
    return result.parsed ? core::TweetRows(entries) : std::vector<core::Row>();
}

}  // namespace

void CMainDlg::OnSearch()
{
    SendCount("search");
    m_sections.m_strKeyword = m_editSearch.GetWindowText();
    if (m_sections.m_strKeyword.IsEmpty()) {
        // Nothing changes: the section on screen stays the current one.
        MessageBox(kTextEnterKeyword, kTextProductName, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_sections.m_nSection != core::kSectionSearch) {
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listVideo);
        m_sections.m_nTab = 1;
    }
    // The rebuilt strip selects the tab of the list that stays on screen.
    ShowSearchTabs();
    LoadVideoSearch(m_sections.m_strKeyword);
    LoadTweetSearch(m_sections.m_strKeyword);
    m_sections.m_nSection = core::kSectionSearch;
}

void CMainDlg::LoadVideoSearch(CString strKeyword)
{
    QueueVideoSearch(std::string(strKeyword.Str()), 0);
}

void CMainDlg::LoadTweetSearch(CString strKeyword)
{
    QueueTweetSearch(std::string(strKeyword.Str()), 0);
}

void CMainDlg::QueueVideoSearch(const std::optional<std::string>& term, unsigned nSwitch)
{
    m_feeds.Queue(
        FeedTarget::Video,
        [term](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            auto rows = FetchVideoRows(job, term ? *term : job.TopKeyword());
            return [rows = std::move(rows)](CMainDlg& dlg) {
                ReplaceRows(dlg.m_listVideo, rows, {&dlg.m_sections.m_arrVideoTitle, &dlg.m_sections.m_arrVideoSeconds, &dlg.m_sections.m_arrVideoDate,
                                                    &dlg.m_sections.m_arrVideoViews, &dlg.m_sections.m_arrVideoUrl});
            };
        },
        nSwitch);
}

void CMainDlg::QueueTweetSearch(const std::optional<std::string>& term, unsigned nSwitch)
{
    m_feeds.Queue(
        FeedTarget::Tweet,
        [term](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            auto rows = FetchTweetRows(job, term ? *term : job.TopKeyword());
            return [rows = std::move(rows)](CMainDlg& dlg) {
                ReplaceRows(dlg.m_listTweet, rows,
                            {&dlg.m_sections.m_arrTweetTitle, &dlg.m_sections.m_arrTweetName, &dlg.m_sections.m_arrTweetDate, &dlg.m_sections.m_arrTweetUri});
            };
        },
        nSwitch);
}
