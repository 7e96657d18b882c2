#include "app/MainDlg.h"

#include "app/AppTexts.h"
#include "app/shared/ExitRequest.h"
#include "framework/OwnedWindow.h"
#include "framework/WinApp.h"
#include "player/VideoDlg.h"
#include "res/resource.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

CMainDlg* g_pMainDlg = nullptr;

CMainDlg::CMainDlg(CWnd* pParent) : CDialog(IDD_MAIN, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_HUMOR, m_listHumor);
    DDX_Control(pDX, IDC_LIST_CHANNEL, m_listChannel);
    DDX_Control(pDX, IDC_TAB, m_tab);
    DDX_Control(pDX, IDC_BTN_NEXT, m_btnNext);
    DDX_Control(pDX, IDC_BTN_PREV, m_btnPrev);
    DDX_Control(pDX, IDC_BTN_STOP, m_btnStop);
    DDX_Control(pDX, IDC_BTN_PLAY, m_btnPlay);
    DDX_Control(pDX, IDC_LIST_MUSIC, m_listMusic);
    DDX_Control(pDX, IDC_BTN_SECTION_CHANNEL, m_btnSectionChannel);
    DDX_Control(pDX, IDC_BTN_SECTION_SEARCH, m_btnSectionSearch);
    DDX_Control(pDX, IDC_BTN_SECTION_MUSIC, m_btnSectionMusic);
    DDX_Control(pDX, IDC_BTN_SECTION_HUMOR, m_btnSectionHumor);
    DDX_Control(pDX, IDC_LIST_VIDEO, m_listVideo);
    DDX_Control(pDX, IDC_LIST_TWEET, m_listTweet);
    DDX_Control(pDX, IDC_EDIT_SEARCH, m_editSearch);
    DDX_Control(pDX, IDC_BTN_SEARCH, m_btnSearch);
    DDX_Control(pDX, IDC_BROWSER, m_browser);
}

const MessageMap* CMainDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapMessage<&CMainDlg::OnPaint>(WM_PAINT),
        MapQueryDragIcon<&CMainDlg::OnQueryDragIcon>(),
        MapMessage<&CMainDlg::OnDestroy>(WM_DESTROY),
        MapGetMinMaxInfo<&CMainDlg::OnGetMinMaxInfo>(),
        MapMouse<&CMainDlg::OnDragByBackground>(WM_LBUTTONDOWN),
        MapTimer<&CMainDlg::OnTimer>(),
        MapSize<&CMainDlg::OnSize>(),
        MapCommand<&CMainDlg::OnSearch>(IDC_BTN_SEARCH, BN_CLICKED),
        MapNotify<&CMainDlg::OnDblclkListVideo>(IDC_LIST_VIDEO, NM_DBLCLK),
        MapCommand<&CMainDlg::OnSectionSearch>(IDC_BTN_SECTION_SEARCH, BN_CLICKED),
        MapCommand<&CMainDlg::OnSectionChannel>(IDC_BTN_SECTION_CHANNEL, BN_CLICKED),
        MapCommand<&CMainDlg::OnSectionMusic>(IDC_BTN_SECTION_MUSIC, BN_CLICKED),
        MapCommand<&CMainDlg::OnSectionHumor>(IDC_BTN_SECTION_HUMOR, BN_CLICKED),
        MapNotify<&CMainDlg::OnDblclkListMusic>(IDC_LIST_MUSIC, NM_DBLCLK),
        MapEraseBkgnd<&CMainDlg::OnEraseBkgnd>(),
        MapNotify<&CMainDlg::OnClickListMusic>(IDC_LIST_MUSIC, NM_CLICK),
        MapNotify<&CMainDlg::OnSelchangeTab>(IDC_TAB, TCN_SELCHANGE),
        MapNotify<&CMainDlg::OnDblclkListChannel>(IDC_LIST_CHANNEL, NM_DBLCLK),
        MapNotify<&CMainDlg::OnDblclkListHumor>(IDC_LIST_HUMOR, NM_DBLCLK),
        MapCommand<&CMainDlg::OnPlay>(IDC_BTN_PLAY, BN_CLICKED),
        MapCommand<&CMainDlg::OnStop>(IDC_BTN_STOP, BN_CLICKED),
        MapCommand<&CMainDlg::OnPrev>(IDC_BTN_PREV, BN_CLICKED),
        MapCommand<&CMainDlg::OnNext>(IDC_BTN_NEXT, BN_CLICKED),
        MapNotify<&CMainDlg::OnClickListVideo>(IDC_LIST_VIDEO, NM_CLICK),
        MapNotify<&CMainDlg::OnClickListChannel>(IDC_LIST_CHANNEL, NM_CLICK),
        MapCommand<&CMainDlg::OnMenuExit>(ID_FILE_EXIT),
        MapCommand<&CMainDlg::OnMenuTray>(ID_FILE_TRAY),
        MapCommand<&CMainDlg::OnMenuAbout>(ID_HELP_ABOUT),
        MapCommand<&CMainDlg::OnMenuHowTo>(ID_HELP_HOWTO),
        MapCommand<&CMainDlg::OnMenuUpdate>(ID_HELP_UPDATE),
        MapCommand<&CMainDlg::OnMenuHowTo>(ID_HELP_SUPPORT),
        MapCommand<&CMainDlg::OnMenuSettings>(ID_TOOLS_SETTINGS),
        MapCommand<&CMainDlg::OnMenuAbout>(ID_TRAY_ABOUT),
        MapCommand<&CMainDlg::OnMenuExit>(ID_TRAY_EXIT),
        MapCommand<&CMainDlg::OnTrayOpen>(ID_TRAY_OPEN),
        MapCommand<&CMainDlg::OnMenuSettings>(ID_TRAY_SETTINGS),
        MapCommand<&CMainDlg::OnMenuUpdate>(ID_TRAY_UPDATE),
        MapSysCommand<&CMainDlg::OnSysCommand>(),
        MapRawMessage<&CMainDlg::OnTrayNotify>(WM_TRAY_NOTIFY),
        MapRawMessage<&CMainDlg::OnNoResponse>(WM_NO_RESPONSE),
        MapRawMessage<&CMainDlg::OnFeedResults>(WM_FEED_RESULTS),
        MapRawMessage<&CMainDlg::OnAddTrayIcon>(WM_ADD_TRAY_ICON),
        MapRegisteredMessage<&CMainDlg::OnTaskbarCreated>(s_nTaskbarCreated),
        MapRegisteredMessage<&CMainDlg::OnExitRequest>(g_nExitRequest),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Held until the process ends; the platform releases it then.
    ::CreateMutexA(nullptr, TRUE, "stel7");
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBox(kTextAlreadyRunning, kTextProductName, MB_OK | MB_ICONINFORMATION);
        SendMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }

    g_pMainDlg = this;
    m_feeds.Attach(this, m_hWnd, WM_FEED_RESULTS);
    // First, so that the first requests are on their way while the window is
    // made up and shown; their results come back once it has shown.
    StartStartUp();
    LoadSkinBitmaps();
    // InitLists sizes the window: its WM_SIZE lays every control out, once,
    // at the final size.
    InitLists();
    // The shell's library and the icon wait until the window shows.
    PostMessage(WM_ADD_TRAY_ICON);
    m_tab.InsertItem(0, kTabVideoResults);
    m_tab.InsertItem(1, kTabTweetResults);
    return TRUE;
}

BOOL CMainDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE) return TRUE;
        if (pMsg->wParam == VK_RETURN) {
            OnSearch();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CMainDlg::OnFeedResults(WPARAM, LPARAM)
{
    m_feeds.RunResults();
    return 0;
}

void CMainDlg::OnDestroy()
{
    Default();
    // Nothing waits here: the worker shares nothing with this window, and it
    // ends on its own once its job sees the window closed.
    m_feeds.Close();
    DestroyOwned(m_pPopupDlg);
    DestroyOwned(m_pToastDlg);
    DestroyOwned(m_pVideoDlg);
    NotifyTrayIcon(NIM_DELETE, kTextProductName);
    if (!m_strTempDir.IsEmpty()) ::DeleteFileA(m_strTempDir + "vod.xml");
}
