// The five result lists, the four sections and the tab strip.
#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/Section.h"
#include "feeds/ChannelList.h"
#include "feeds/ListColumns.h"
#include "framework/ImageList.h"
#include "res/resource.h"

namespace {

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
    m_sections.m_nSection = nSection;
    SendCount(pszEvent);
    SwitchSection();
}

void CMainDlg::OnSectionSearch()
{
    StartSection(core::kSectionSearch, "menu_search");
}

void CMainDlg::OnSectionChannel()
{
    StartSection(core::kSectionChannel, "menu_vod");
}

void CMainDlg::OnSectionMusic()
{
    StartSection(core::kSectionMusic, "menu_music");
}

void CMainDlg::OnSectionHumor()
{
    StartSection(core::kSectionHumor, "menu_best");
}

void CMainDlg::SetSectionPictures(int nShown)
{
    const UINT search = nShown == core::kSectionSearch ? IDB_SECTION_SEARCH_ON : IDB_SECTION_SEARCH;
    const UINT channel = nShown == core::kSectionChannel ? IDB_SECTION_CHANNEL_ON : IDB_SECTION_CHANNEL;
    const UINT music = nShown == core::kSectionMusic ? IDB_SECTION_MUSIC_ON : IDB_SECTION_MUSIC;
    const UINT humor = nShown == core::kSectionHumor ? IDB_SECTION_HUMOR_ON : IDB_SECTION_HUMOR;
    m_btnSectionSearch.LoadBitmaps(search, search, search);
    m_btnSectionChannel.LoadBitmaps(channel, channel, channel);
    m_btnSectionMusic.LoadBitmaps(music, music, music);
    m_btnSectionHumor.LoadBitmaps(humor, humor, humor);
    for (const core::Rect* pRect : {&m_layout.btnSectionSearch, &m_layout.btnSectionChannel, &m_layout.btnSectionMusic,
                                    &m_layout.btnSectionHumor}) {
        const RECT rc = ToRect(*pRect);
        InvalidateRect(&rc, TRUE);
    }
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
    m_tab.SetCurSel(m_sections.m_nTab == 2 ? 1 : 0);
}

void CMainDlg::SwitchSection()
{
    // The window shows the section at once; its feeds follow on the worker,
    // each step skipped there once a newer switch has been asked for.
    const unsigned nSwitch = m_feeds.BeginSwitch();
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        SetSectionPictures(core::kSectionSearch);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listVideo);
        m_sections.m_nTab = 1;
        ShowSearchTabs();
        QueueSearchRank(nSwitch);
        QueueVideoSearch(std::nullopt, nSwitch);
        QueueTweetSearch(std::nullopt, nSwitch);
        break;
    case core::kSectionChannel:
        SetSectionPictures(core::kSectionChannel);
        m_tab.DeleteAllItems();
        for (int i = 0; i < kChannelCount; ++i) m_tab.InsertItem(i, kChannels[i].pszLabel);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listChannel);
        QueueChannelVideos(kChannels[0].pszId, nSwitch);
        break;
    case core::kSectionMusic:
        SetSectionPictures(core::kSectionMusic);
        m_tab.DeleteAllItems();
        m_tab.InsertItem(0, kTabMusicChart);
        ShowTransport(SW_SHOW);
        ShowOnlyList(&m_listMusic);
        QueueMusicChart(nSwitch);
        break;
    case core::kSectionHumor:
        SetSectionPictures(core::kSectionHumor);
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
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        if (index == 0) {
            m_sections.m_nTab = 1;
            ShowOnlyList(&m_listVideo);
            ShowTransport(SW_SHOW);
        } else if (index == 1) {
            m_sections.m_nTab = 2;
            ShowOnlyList(&m_listTweet);
            ShowTransport(SW_HIDE);
        }
        break;
    case core::kSectionChannel:
        if (index >= 0 && index < kChannelCount) LoadChannelVideos(kChannels[index].pszId);
        break;
    case core::kSectionMusic:
        if (index == 0) LoadMusicChart();
        break;
    case core::kSectionHumor:
        if (index == 0) LoadHumorBoard();
        break;
    default:
        break;
    }
}
