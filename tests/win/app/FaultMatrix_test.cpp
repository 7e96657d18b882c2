// Every fetch of the main window against every way its server can fail or
// overwhelm it: nothing crashes or waits past the deadline, a list is left
// empty or as it was, the only box is the channel's "no response", and the
// process does not grow.
#include <windows.h>
#include <psapi.h>

#include <string>

#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "feeds/ChannelList.h"
#include "tests/win/app/MainWindowHarness.h"

namespace {

struct Site {
    const char* name;
    const char* path;
    void (*fetch)(CMainDlg&);
    CListCtrl CMainDlg::*list;  // null: the fetch fills no list
};

const Site kSites[] = {
    {"count", "/app/stel7/analytics/request/count.php", [](CMainDlg& d) { d.SendCount("execute"); }, nullptr},
    {"update", "/app/stel7/update/update.xml", [](CMainDlg& d) { d.CheckUpdate(0); }, nullptr},
    {"rank", "/search", [](CMainDlg& d) { d.LoadSearchRank(); }, nullptr},
    {"videos", "/feeds/api/videos", [](CMainDlg& d) { d.LoadVideoSearch(d.m_sections.m_strTopKeyword); }, &CMainDlg::m_listVideo},
    {"tweets", "/search.atom", [](CMainDlg& d) { d.LoadTweetSearch(d.m_sections.m_strTopKeyword); }, &CMainDlg::m_listTweet},
    {"channel", "/rss/user/MBCentertainment/videos.rss", [](CMainDlg& d) { d.LoadChannelVideos(kChannels[0].pszId); },
     &CMainDlg::m_listChannel},
    {"music", "/app/stel7/config/music.xml", [](CMainDlg& d) { d.LoadMusicChart(); }, &CMainDlg::m_listMusic},
    {"humour", "/zbxe/comedy/rss", [](CMainDlg& d) { d.LoadHumorBoard(); }, &CMainDlg::m_listHumor},
    {"advert", "/app/stel7/advert/config.xml", [](CMainDlg& d) { d.CheckPopup(); }, nullptr},
};

// A document of `entries` records of every feed's full shape (the music
// chart's six flat readings among them), each `filler` long.
std::string Flood(int entries, size_t filler)
{
    const std::string entry = "<entry><item><title>" + std::string(filler, 'x') +
                              "</title><id>http://x/v/abcdefghijk</id><link>http://x/</link><uri>http://x/</uri>"
                              "<name>n</name><time>03:10</time><album>a</album><genre>g</genre>"
                              "<published>2013-05-01T00:00:00.000Z</published></item></entry>";
    std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><feed><channel>";
    for (int i = 0; i < entries; ++i) body += entry;
    return body + "</channel></feed>";
}

// Sets the fault up; "short" cuts a document off halfway through its body,
// "huge" serves a 10 MB document, "flood" one of 12,000 records.
bool Inflict(const std::string& path, const std::string& fault)
{
    if (fault == "down") return StandIn::GoDown(2);
    if (fault == "huge") return StandIn::SetDocument(path, Flood(44000, 8));
    if (fault == "flood") return StandIn::SetDocument(path, Flood(12000, 8));
    if (fault == "short") return StandIn::SetDocument(path, Flood(50, 8)) && StandIn::SetFault(path, "short");
    return StandIn::SetFault(path, fault, fault == "slow" ? 2 : 0);
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters.PrivateUsage;
}

void PrintTo(const Site& site, std::ostream* os) { *os << site.name; }

class FaultMatrixTest : public OpenedMainWindowTest, public ::testing::WithParamInterface<Site> {};

TEST_P(FaultMatrixTest, NoFaultCrashesHangsOrGarblesAList)
{
    const Site& site = GetParam();
    CMainDlg& dlg = Dlg();
    site.fetch(dlg);
    ASSERT_TRUE(WaitForLoads());
    const auto rowsBefore = site.list ? ListRows(dlg.*site.list) : std::vector<std::vector<std::string>>();
    const SIZE_T bytesBefore = PrivateBytes();

    for (const char* fault : {"down", "hang", "slow", "html", "404", "malformed", "empty", "short", "huge", "flood"}) {
        SCOPED_TRACE(fault);
        ASSERT_TRUE(Inflict(site.path, fault));
        site.fetch(dlg);
        // Every fault ends within the network deadline, its result in place.
        EXPECT_TRUE(WaitForLoads(STEL7_NET_DEADLINE_MS + 3000u));
        // Up again after "down"; held requests let go.
        ASSERT_TRUE(PumpUntil([] { return StandIn::Reset(); }, 10000));
        EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
        if (site.list) {
            const auto rows = ListRows(dlg.*site.list);
            const std::string kind = fault;
            // A slow answer is still the document; a flood shows its first 10,000 entries at most.
            if (kind == "slow") {
                EXPECT_EQ(rowsBefore, rows);
            } else if (kind == "flood") {
                EXPECT_LE(rows.size(), 10000u);
            } else {
                EXPECT_TRUE(rows.empty() || rows == rowsBefore) << rows.size() << " rows";
            }
        }
        for (const RecordedBox& box : RecordedBoxes()) {
            EXPECT_STREQ("channel", site.name) << box.text;
            EXPECT_EQ(kTextNoResponse, box.text);
        }
        ClearRecordedBoxes();
    }
    // Threads given up on end once their answers do; their memory goes with them.
    EXPECT_TRUE(PumpUntil([&] { return PrivateBytes() < bytesBefore + (16u << 20); }, 10000))
        << PrivateBytes() - bytesBefore << " bytes more";
}

INSTANTIATE_TEST_SUITE_P(EveryFetch, FaultMatrixTest, ::testing::ValuesIn(kSites),
                         [](const ::testing::TestParamInfo<Site>& info) { return std::string(info.param.name); });

}  // namespace
