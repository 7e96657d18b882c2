// The five result lists, the four sections and the tab strip.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "feeds/ChannelList.h"
#include "framework/ImageList.h"
#include "res/resource.h"

namespace {

struct ColumnSpec {
    const char* pszHeading;
    int nFormat;
    int nWidth;
};

const ColumnSpec kVideoColumns[] = {{"제목", LVCFMT_LEFT, 600}, {"재생시간", LVCFMT_CENTER, 100},
                                    {"등록일", LVCFMT_CENTER, 100}, {"조회수", LVCFMT_CENTER, 100},
                                    {"주소", LVCFMT_LEFT, 0}};
const ColumnSpec kTweetColumns[] = {{"내용", LVCFMT_LEFT, 800}, {"작성자", LVCFMT_LEFT, 0},
                                    {"등록일", LVCFMT_CENTER, 100}, {"주소", LVCFMT_LEFT, 0}};
const ColumnSpec kChannelColumns[] = {{"제목", LVCFMT_LEFT, 600}, {"재생시간", LVCFMT_CENTER, 100},
                                      {"추천수", LVCFMT_CENTER, 100}, {"조회수", LVCFMT_CENTER, 100},
                                      {"주소", LVCFMT_LEFT, 0}};
const ColumnSpec kMusicColumns[] = {{"제목", LVCFMT_LEFT, 300}, {"시간", LVCFMT_CENTER, 100},
                                    {"가수", LVCFMT_LEFT, 100},  {"앨범", LVCFMT_LEFT, 300},
                                    {"장르", LVCFMT_LEFT, 100},  {"주소", LVCFMT_LEFT, 0}};
const ColumnSpec kHumorColumns[] = {{"제목", LVCFMT_LEFT, 700}, {"작성자", LVCFMT_LEFT, 200}, {"주소", LVCFMT_LEFT, 0}};

template <size_t N>
void SetUpList(CListCtrl& list, UINT nIconBitmap, int nIconSize, const ColumnSpec (&columns)[N])
{
    CImageList images;
    if (images.Create(nIconSize, nIconSize, ILC_COLOR32 | ILC_MASK, 0, 0)) {
        CBitmap icon;
        if (icon.LoadBitmap(nIconBitmap)) images.Add(&icon, RGB(255, 0, 255));
        list.SetImageList(&images, LVSIL_SMALL);
    }
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    list.SetCallbackMask(LVIS_FOCUSED);
    for (size_t i = 0; i < N; ++i) {
        list.InsertColumn(static_cast<int>(i), columns[i].pszHeading, columns[i].nFormat, columns[i].nWidth);
    }
}

}  // namespace

void CMainDlg::InitLists()
{
    SetUpList(m_listVideo, IDB_LIST_VIDEO, 28, kVideoColumns);
    SetUpList(m_listTweet, IDB_LIST_TWEET, 38, kTweetColumns);
    SetUpList(m_listChannel, IDB_LIST_VIDEO, 28, kChannelColumns);
    SetUpList(m_listMusic, IDB_LIST_MUSIC, 28, kMusicColumns);
    SetUpList(m_listHumor, IDB_LIST_HUMOR, 28, kHumorColumns);

    char szTempDir[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, szTempDir);
    m_strTempDir = (length > 0 && length < MAX_PATH) ? CString(szTempDir) : CString();

    ModifyStyle(0, WS_SYSMENU | WS_MINIMIZEBOX);
    SetWindowText(kTextProductName);
    MoveWindow(0, 0, 1000, 690);
    CenterWindow();
}

void CMainDlg::StartSection(int nSection, const char* pszEvent)
{
    m_nSection = nSection;
    SendCount(pszEvent);
    SwitchSection();
}

void CMainDlg::OnSectionSearch()
{
    StartSection(1, "menu_search");
}

void CMainDlg::OnSectionChannel()
{
    StartSection(2, "menu_vod");
}

void CMainDlg::OnSectionMusic()
{
    StartSection(3, "menu_music");
}

void CMainDlg::OnSectionHumor()
{
    StartSection(4, "menu_best");
}

void CMainDlg::SetSectionPictures(int nShown)
{
    const UINT search = nShown == 1 ? IDB_SECTION_SEARCH_ON : IDB_SECTION_SEARCH;
    const UINT channel = nShown == 2 ? IDB_SECTION_CHANNEL_ON : IDB_SECTION_CHANNEL;
    const UINT music = nShown == 3 ? IDB_SECTION_MUSIC_ON : IDB_SECTION_MUSIC;
    const UINT humor = nShown == 4 ? IDB_SECTION_HUMOR_ON : IDB_SECTION_HUMOR;
    m_btnSectionSearch.LoadBitmaps(search, search, search);
    m_btnSectionChannel.LoadBitmaps(channel, channel, channel);
    m_btnSectionMusic.LoadBitmaps(music, music, music);
    m_btnSectionHumor.LoadBitmaps(humor, humor, humor);
    InvalidateRect(&m_rcBtnSectionSearch, TRUE);
    InvalidateRect(&m_rcBtnSectionChannel, TRUE);
    InvalidateRect(&m_rcBtnSectionMusic, TRUE);
    InvalidateRect(&m_rcBtnSectionHumor, TRUE);
}

void CMainDlg::ShowTransport(int nCmdShow)
{
    m_btnPlay.ShowWindow(nCmdShow);
    m_btnStop.ShowWindow(nCmdShow);
    m_btnPrev.ShowWindow(nCmdShow);
    m_btnNext.ShowWindow(nCmdShow);
}

void CMainDlg::ShowOnlyList(CListCtrl* pShown)
{
    // The others go first: at no moment are two lists on screen.
    CListCtrl* lists[] = {&m_listVideo, &m_listTweet, &m_listChannel, &m_listMusic, &m_listHumor};
    for (CListCtrl* pList : lists) {
        if (pList != pShown) pList->ShowWindow(SW_HIDE);
    }
    pShown->ShowWindow(SW_SHOW);
}

void CMainDlg::ShowSearchTabs()
{
    m_tab.DeleteAllItems();
    m_tab.InsertItem(0, kTabVideoResults);
    m_tab.InsertItem(1, kTabTweetResults);
    m_tab.SetCurSel(m_nTab == 2 ? 1 : 0);
}

void CMainDlg::SwitchSection()
{
    // The window shows the section at once; its feeds follow on the worker,
    // each step skipped there once a newer switch has been asked for.
    const unsigned nSwitch = m_feeds.BeginSwitch();
    switch (m_nSection) {
    case 1:
        SetSectionPictures(1);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listVideo);
        m_nTab = 1;
        ShowSearchTabs();
        QueueSearchRank(nSwitch);
        QueueVideoSearch(std::nullopt, nSwitch);
        QueueTweetSearch(std::nullopt, nSwitch);
        break;
    case 2:
        SetSectionPictures(2);
        m_tab.DeleteAllItems();
        for (int i = 0; i < kChannelCount; ++i) m_tab.InsertItem(i, kChannels[i].pszLabel);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listChannel);
        QueueChannelVideos(kChannels[0].pszId, nSwitch);
        break;
    case 3:
        SetSectionPictures(3);
        m_tab.DeleteAllItems();
        m_tab.InsertItem(0, kTabMusicChart);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listMusic);
        QueueMusicChart(nSwitch);
        break;
    case 4:
        SetSectionPictures(4);
        m_tab.DeleteAllItems();
        m_tab.InsertItem(0, kTabHumorLatest);
        ShowTransport(SW_HIDE);
        ShowOnlyList(&m_listHumor);
        QueueHumorBoard(nSwitch);
        break;
    default:
        break;
    }
}

void CMainDlg::OnSelchangeTab(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int index = m_tab.GetCurSel();
    switch (m_nSection) {
    case 1:
        if (index == 0) {
            m_nTab = 1;
            ShowOnlyList(&m_listVideo);
            ShowTransport(SW_SHOW);
        } else if (index == 1) {
            m_nTab = 2;
            ShowOnlyList(&m_listTweet);
            ShowTransport(SW_HIDE);
        }
        break;
    case 2:
        if (index >= 0 && index < kChannelCount) LoadChannelVideos(kChannels[index].pszId);
        break;
    case 3:
        if (index == 0) LoadMusicChart();
        break;
    case 4:
        if (index == 0) LoadHumorBoard();
        break;
    default:
        break;
    }
}
