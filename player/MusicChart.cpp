// The weekly music chart of the vendor's server.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"

namespace {

// The chart's six flat readings, in the order of the play list's arrays.
constexpr size_t kMusicColumns = 6;

}  // namespace

void CMainDlg::LoadMusicChart()
{
    QueueMusicChart(0);
}

void CMainDlg::QueueMusicChart(unsigned nSwitch)
{
    m_feeds.Queue(
        FeedTarget::Music,
        [](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            XmlRequest request;
            request.url = "http://" STEL7_VENDOR_HOST "/app/stel7/config/music.xml";
            request.deleteCacheEntry = true;
            request.readings = {{"title", -1}, {"time", -1}, {"name", -1}, {"album", -1}, {"genre", -1}, {"id", -1}};
            XmlResult result = job.Fetch(request);
            if (!result.parsed || result.readings.size() != kMusicColumns) result.readings.assign(kMusicColumns, {});
            return [columns = std::move(result.readings)](CMainDlg& dlg) { dlg.ShowMusicChart(columns); };
        },
        nSwitch);
}

void CMainDlg::ShowMusicChart(const std::vector<std::vector<std::string>>& columns)
{
    m_listMusic.DeleteAllItems();
    CStringArray* arrays[kMusicColumns] = {&m_playList.m_arrMusicTitle, &m_playList.m_arrMusicTime,  &m_playList.m_arrMusicName,
                                           &m_playList.m_arrMusicAlbum, &m_playList.m_arrMusicGenre, &m_playList.m_arrMusicId};
    for (size_t i = 0; i < kMusicColumns; ++i) {
        arrays[i]->RemoveAll();
        for (const std::string& text : columns[i]) arrays[i]->Add(CString(text));
    }
    const core::MusicLists lists{columns[0], columns[1], columns[2], columns[3], columns[4], columns[5]};
    AppendRows(m_listMusic, core::MusicRows(lists, STEL7_VIDEO_HOST));
}
