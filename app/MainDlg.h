#pragma once

// CMainDlg: the main window of stel7 and the owner of everything the program
// shows. Each feature adds its handlers and operations in its own folder
// (feeds/, player/, settings/, update/, app/). Its state is the controls and
// owned parts: the skin (CSkin), where the feeds stand (CSectionState), the
// play list (CPlayList) and the feed worker (CFeedWork).

#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Dc.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ListCtrl.h"
#include "framework/StringArray.h"
#include "framework/TabCtrl.h"
#include "app/OrleButton.h"
#include "app/Skin.h"
#include "core/Geometry.h"
#include "core/FeedRows.h"
#include "feeds/FeedWork.h"
#include "feeds/SectionState.h"
#include "player/PlayList.h"
#include "player/browser/WebBrowser2.h"

class CPopupDlg;
class CSettingsDlg;
class CToastDlg;
class CUpdateDlg;
class CVideoDlg;
struct UpdateAnnouncement;

// The tray icon's callback message.
const UINT WM_TRAY_NOTIFY = 28000;
// Posted by a channel load that got no answer from the server.
const UINT WM_NO_RESPONSE = WM_APP + 1;
// Posted when the feed worker has handed back results (see CFeedWork).
const UINT WM_FEED_RESULTS = WM_APP + 2;
// Posted by OnInitDialog: the tray icon is added once the window shows.
const UINT WM_ADD_TRAY_ICON = WM_APP + 3;

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CWnd* pParent = nullptr);
    ~CMainDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    // Tray icon: action NIM_ADD (0) adds it, NIM_DELETE (2) removes it.
    void NotifyTrayIcon(int nAction, const char* pszTip);

    // Usage counts, sent by the feed worker in the order they are asked for,
    // and the two text operations of the feeds.
    void SendAnalyticsPing(CString strUrl);
    // The usage count of one event ("execute", "search", ...).
    void SendCount(const char* pszEvent);
    CString EncodeKeyword(CString strKeyword);
    CString FormatDuration(int nSeconds);

    // Feeds: each queues its fetch on the feed worker; the list is filled
    // again, emptied first, when the result comes back.
    void InitLists();
    void LoadSearchRank();
    void LoadVideoSearch(CString strKeyword);
    void LoadTweetSearch(CString strKeyword);
    void LoadChannelVideos(CString strChannelId);
    void LoadMusicChart();
    void LoadHumorBoard();
    // Shows the section of m_sections.m_nSection and queues its feeds.
    void SwitchSection();

    // Playback.
    void ShowVideo(CString strTitle, CString strUrl);
    void PlayMusic(int nIndex);

    // Skin and layout.
    void LoadSkinBitmaps();
    void LayoutControls();

    // Vendor document checks, queued on the feed worker; the windows they
    // open are opened when the result comes back. userRequested 1: the user
    // asked, so an up-to-date answer is shown; 0: a silent check.
    void CheckUpdate(int userRequested);
    void CheckPopup();
    void CheckToast();

    // Paths and update
    CString m_strTempDir;
    CString m_strUpdateUrl;
    // Set while an update check (and its update window) runs. A check asked
    // for meanwhile is answered by the running one's outcome.
    bool m_bCheckingUpdate = false;
    bool m_bUpdateAnswerWanted = false;

    // Controls
    CListCtrl m_listHumor;
    CListCtrl m_listChannel;
    CTabCtrl m_tab;
    CButton m_btnNext;
    CButton m_btnPrev;
    CButton m_btnStop;
    CButton m_btnPlay;
    CListCtrl m_listMusic;
    COrleButton m_btnSectionChannel;
    COrleButton m_btnSectionSearch;
    COrleButton m_btnSectionMusic;
    COrleButton m_btnSectionHumor;
    CListCtrl m_listVideo;
    CListCtrl m_listTweet;
    CEdit m_editSearch;
    COrleButton m_btnSearch;
    // The hidden music player: its control is made when the first song plays.
    CWebBrowser2 m_browser{BrowserHosting::OnFirstNavigate};

    // Icon and owned windows
    HICON m_hIcon = nullptr;
    CPopupDlg* m_pPopupDlg = nullptr;
    CToastDlg* m_pToastDlg = nullptr;
    CVideoDlg* m_pVideoDlg = nullptr;
    // The settings and update windows while their modal loops run, else null.
    CSettingsDlg* m_pSettingsDlg = nullptr;
    CUpdateDlg* m_pUpdateDlg = nullptr;

    // The skinned background, and where every control and skin piece sits.
    CSkin m_skin;
    core::MainLayout m_layout = {};

    // The section and tab on screen, the search term and what the lists hold.
    CSectionState m_sections;

    // The chart, the row that plays and the track that plays now.
    CPlayList m_playList;

    // The feed worker and the results it hands back. Closed when exit is
    // chosen or the window goes: every load still waiting on the network
    // gives up at once, and nothing opens or fills any more.
    CFeedWork m_feeds;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnSearch();
    void OnDblclkListVideo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSectionSearch();
    void OnSectionChannel();
    void OnSectionMusic();
    void OnSectionHumor();
    void OnDblclkListMusic(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnClickListMusic(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblclkListChannel(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblclkListHumor(NMHDR* pNMHDR, LRESULT* pResult);
    void OnPlay();
    void OnStop();
    void OnPrev();
    void OnNext();
    void OnClickListVideo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClickListChannel(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMenuExit();
    void OnMenuTray();
    void OnMenuAbout();
    void OnMenuHowTo();
    void OnMenuUpdate();
    void OnMenuSettings();
    void OnTrayOpen();
    void OnSysCommand(UINT nID, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddTrayIcon(WPARAM wParam, LPARAM lParam);
    // The channel feed's "no response" box, shown on the window's thread.
    LRESULT OnNoResponse(WPARAM wParam, LPARAM lParam);
    LRESULT OnFeedResults(WPARAM wParam, LPARAM lParam);
    // The shell's "TaskbarCreated" broadcast, sent when it (re)starts.
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    static const UINT s_nTaskbarCreated;
    // An installer's request to end (see app/shared/ExitRequest.h).
    LRESULT OnExitRequest(WPARAM wParam, LPARAM lParam);

private:
    // Queues the start-up's network steps once the window is up.
    void StartStartUp();
    void StartSection(int nSection, const char* pszEvent);
    // The feeds' queued halves. A term of nullopt is the search rank's last
    // term as the worker holds it when the search runs; nSwitch is the
    // section switch the load belongs to, or 0.
    void QueueSearchRank(unsigned nSwitch);
    void QueueVideoSearch(const std::optional<std::string>& term, unsigned nSwitch);
    void QueueTweetSearch(const std::optional<std::string>& term, unsigned nSwitch);
    void QueueChannelVideos(const std::string& strChannelId, unsigned nSwitch);
    void QueueMusicChart(unsigned nSwitch);
    void QueueHumorBoard(unsigned nSwitch);
    // Their halves on the window's thread, run with the results.
    void ShowRankPrompt(const std::string& strTerm);
    void ShowMusicChart(const std::vector<std::vector<std::string>>& columns);
    void OnUpdateChecked(const UpdateAnnouncement& announcement);
    // Ends the modal loops running over the window, then the window's own.
    void EndAllModalLoops();
    void SetSectionPictures(int nShown);
    void ShowTransport(int nCmdShow);
    void ShowOnlyList(CListCtrl* pShown);
    // Rebuilds the search section's two tabs, selecting the one of m_sections.m_nTab.
    void ShowSearchTabs();

    // Transport steps: nNewIndex -1 means there is nowhere to go.
    void StepVideo(CListCtrl& list, int& nIndex, int nNewIndex);
    void StepMusic(int nNewIndex);
    // Opens the row's video when the row exists.
    void ShowVideoRow(CListCtrl& list, int nRow);
    // Shows a promotion page that the advertising document switched on, and
    // counts the showing once (event "popup" or "toast").
    template <class TDlg>
    void ShowPromotion(TDlg*& pDlg, const CString& strUrl, const char* pszEvent);
    void RestoreFromTray();
};

// The main window, set once during start-up before any worker or owned window exists.
extern CMainDlg* g_pMainDlg;
