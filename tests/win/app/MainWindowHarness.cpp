#include "tests/win/app/MainWindowHarness.h"

#include <deque>
#include <mutex>

#include "framework/MessageBox.h"
#include "player/VideoDlg.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

namespace {

std::mutex g_boxesLock;
std::vector<RecordedBox> g_boxes;
std::deque<int> g_answers;

int RecordBox(HWND hOwner, const char* pszText, const char*, UINT nType)
{
    std::lock_guard<std::mutex> lock(g_boxesLock);
    g_boxes.push_back({pszText, nType, g_pMainDlg && hOwner == g_pMainDlg->m_hWnd,
                       hOwner && ::IsWindowVisible(hOwner), ::GetCurrentThreadId()});
    if (g_answers.empty()) return IDOK;
    const int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

}  // namespace

std::vector<RecordedBox> RecordedBoxes()
{
    std::lock_guard<std::mutex> lock(g_boxesLock);
    return g_boxes;
}

void ClearRecordedBoxes()
{
    std::lock_guard<std::mutex> lock(g_boxesLock);
    g_boxes.clear();
    g_answers.clear();
}

void AnswerNextBoxes(std::initializer_list<int> answers)
{
    std::lock_guard<std::mutex> lock(g_boxesLock);
    g_answers = answers;
}

std::vector<std::vector<std::string>> ListRows(const CListCtrl& list)
{
    std::vector<std::vector<std::string>> rows;
    const int columns = list.GetColumnCount();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) cells.push_back(list.GetItemText(row, column).Str());
        rows.push_back(cells);
    }
    return rows;
}

MainWindowHarness::MainWindowHarness()
{
    m_app.m_pMainWnd = &m_dlg;
    AfxSetMessageBoxHandler(&RecordBox);
    AfxEnableControlContainer();
    AfxInitCommonControls();
}

MainWindowHarness::~MainWindowHarness()
{
    Close();
    AfxSetMessageBoxHandler(nullptr);
}

bool MainWindowHarness::Create()
{
    // A window that found the program running stops at once and never becomes
    // the main window: only the first window of a test process is one.
    return m_dlg.Create(IDD_MAIN, nullptr) && ::IsWindow(m_dlg.m_hWnd) && g_pMainDlg == &m_dlg;
}

bool MainWindowHarness::Open()
{
    return Create() && PumpUntil([this] { return m_dlg.m_feeds.Pending() == 0; }, 120000);
}

void MainWindowHarness::Close()
{
    if (m_dlg.m_hWnd && ::IsWindow(m_dlg.m_hWnd)) ::DestroyWindow(m_dlg.m_hWnd);
    PumpPosted();
}

namespace {

MainWindowHarness* g_pShared = nullptr;

// Closes the shared window once every test has run.
class SharedWindowEnvironment : public ::testing::Environment {
    void TearDown() override
    {
        delete g_pShared;
        g_pShared = nullptr;
    }
};

::testing::Environment* const g_pSharedWindowEnvironment =
    ::testing::AddGlobalTestEnvironment(new SharedWindowEnvironment);

}  // namespace

void OpenedMainWindowTest::SetUpTestSuite()
{
    if (g_pShared || g_pMainDlg) return;
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
    g_pShared = new MainWindowHarness;
    // A failed start-up is reported by each test's SetUp.
    if (StandIn::Reset()) g_pShared->Open();
}

CMainDlg& OpenedMainWindowTest::Dlg()
{
    return g_pShared->Dlg();
}

void OpenedMainWindowTest::SetUp()
{
    if (!g_pShared && g_pMainDlg) GTEST_SKIP() << "a test before opened the process's main window";
    StandInTest::SetUp();
    ASSERT_TRUE(g_pShared && g_pMainDlg == &Dlg() && ::IsWindow(Dlg().m_hWnd)) << "the main window did not open";
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
    ASSERT_TRUE(WaitForLoads());
    // The search box as the program last wrote it: nothing typed.
    Dlg().m_editSearch.SetWindowText(Dlg().m_sections.m_strPromptShown);
    ClearRecordedBoxes();
    ASSERT_TRUE(StandIn::ClearLog());
}

void OpenedMainWindowTest::TearDown()
{
    if (g_pShared && ::IsWindow(Dlg().m_hWnd)) {
        CMainDlg& dlg = Dlg();
        // Held requests let go first, so that what they hold comes back.
        StandIn::Reset();
        WaitForLoads();
        if (dlg.m_pVideoDlg && ::IsWindow(dlg.m_pVideoDlg->m_hWnd)) dlg.m_pVideoDlg->DestroyWindow();
        for (CWnd* pPromotion : {static_cast<CWnd*>(dlg.m_pPopupDlg), static_cast<CWnd*>(dlg.m_pToastDlg)}) {
            if (pPromotion && ::IsWindow(pPromotion->m_hWnd)) pPromotion->ShowWindow(SW_HIDE);
        }
        // The music clock's timer.
        dlg.KillTimer(1);
        if (!dlg.IsWindowVisible()) dlg.SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
        PumpPosted();
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
    StandInTest::TearDown();
}

void OpenedMainWindowTest::ChooseTab(int nIndex)
{
    Dlg().m_tab.SetCurSel(nIndex);
    NMHDR hdr = {Dlg().m_tab.m_hWnd, IDC_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    Dlg().SendMessage(WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&hdr));
}

void OpenedMainWindowTest::Notify(int nList, UINT code, int nRow)
{
    NMITEMACTIVATE item = {};
    item.hdr = {Dlg().GetDlgItem(nList), static_cast<UINT_PTR>(nList), code};
    item.iItem = nRow;
    Dlg().SendMessage(WM_NOTIFY, static_cast<WPARAM>(nList), reinterpret_cast<LPARAM>(&item));
}
