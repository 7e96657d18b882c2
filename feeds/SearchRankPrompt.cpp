// The search-rank prompt: the portal's top search term, written into the
// search box and searched.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/SearchRank.h"

namespace {

const char kRankPrompt[] = "지금 네이버 검색어 1위는? ";

}  // namespace

void CMainDlg::LoadSearchRank()
{
    QueueSearchRank(0);
}

void CMainDlg::QueueSearchRank(unsigned nSwitch)
{
    m_feeds.Queue(
        FeedTarget::Rank,
        [](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            XmlRequest request;
            request.url = "http://" STEL7_RANK_HOST "/search?key=" STEL7_RANK_KEY "&query=nexearch&target=rank";
            request.deleteCacheEntry = true;
            request.readings = {{"R1", -1}};
            const XmlResult result = job.Fetch(request);
            if (!result.parsed || result.readings.empty()) return nullptr;
            // Kept here for the searches queued after this step.
            const std::optional<std::string> term = core::TopTermFromRankTexts(result.readings[0]);
            if (term) job.TopKeyword() = *term;
            return [strTerm = job.TopKeyword()](CMainDlg& dlg) { dlg.ShowRankPrompt(strTerm); };
        },
        nSwitch);
}

void CMainDlg::ShowRankPrompt(const std::string& strTerm)
{
    m_sections.m_strTopKeyword = CString(strTerm);
    if (m_editSearch.GetWindowText() != m_sections.m_strPromptShown) return;
    m_sections.m_strPromptShown = CString(kRankPrompt) + m_sections.m_strTopKeyword;
    m_editSearch.SetWindowText(m_sections.m_strPromptShown);
}
