// The weekly music chart of the vendor's server.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"

namespace {

void Keep(const std::vector<std::string>& texts, CStringArray& array)
{
    for (const std::string& text : texts) array.Add(CString(text));
}

}  // namespace

void CMainDlg::LoadMusicChart()
{
    m_listMusic.DeleteAllItems();
    CStringArray* arrays[] = {&m_arrMusicTitle, &m_arrMusicTime, &m_arrMusicName,
                              &m_arrMusicAlbum, &m_arrMusicGenre, &m_arrMusicId};
    for (CStringArray* pArray : arrays) pArray->RemoveAll();

    XmlRequest request;
    request.url = "http://" STEL7_VENDOR_HOST "/app/stel7/config/music.xml";
    request.deleteCacheEntry = true;
    request.readings = {{"title", -1}, {"time", -1}, {"name", -1}, {"album", -1}, {"genre", -1}, {"id", -1}};
    const XmlResult result = FetchFeed(request);
    if (!result.parsed || result.readings.size() != 6) return;

    core::MusicLists lists{result.readings[0], result.readings[1], result.readings[2],
                           result.readings[3], result.readings[4], result.readings[5]};
    for (size_t i = 0; i < 6; ++i) Keep(result.readings[i], *arrays[i]);
    AppendRows(m_listMusic, core::MusicRows(lists, STEL7_VIDEO_HOST));
}
