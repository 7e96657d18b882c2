#include "tests/win/app/MainWindowHarness.h"

#include <deque>
#include <mutex>

#include "framework/MessageBox.h"

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
    PumpFor(50);
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
