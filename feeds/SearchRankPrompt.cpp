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
    XmlRequest request;
    request.url = "http://" STEL7_RANK_HOST "/search?key=" STEL7_RANK_KEY "&query=nexearch&target=rank";
    request.deleteCacheEntry = true;
    request.readings = {{"R1", -1}};
    const XmlResult result = FetchFeed(request);
    if (!result.parsed || result.readings.empty()) return;

    const std::optional<std::string> term = core::TopTermFromRankTexts(result.readings[0]);
    if (term) m_strTopKeyword = CString(*term);
    m_editSearch.SetWindowText(CString(kRankPrompt) + m_strTopKeyword);
}
