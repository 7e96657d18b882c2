#include "tests/win/app/MainWindowHarness.h"

#include <mutex>

#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "res/resource.h"

namespace {

std::mutex g_boxesLock;
std::vector<RecordedBox> g_boxes;

int RecordBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
{
    std::lock_guard<std::mutex> lock(g_boxesLock);
    g_boxes.push_back({pszText, pszCaption, nType, g_pMainDlg && hOwner == g_pMainDlg->m_hWnd});
    return IDOK;
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
    AfxSetMessageBoxHandler(&RecordBox);
    AfxEnableControlContainer();
    AfxInitCommonControls();
}

MainWindowHarness::~MainWindowHarness()
{
    Close();
    AfxSetMessageBoxHandler(nullptr);
}

bool MainWindowHarness::Open()
{
    // A window that found the program running stops at once and never becomes
    // the main window: only the first window of a test process is one.
    return m_dlg.Create(IDD_MAIN, nullptr) && ::IsWindow(m_dlg.m_hWnd) && g_pMainDlg == &m_dlg;
}

void MainWindowHarness::Close()
{
    if (m_dlg.m_hWnd && ::IsWindow(m_dlg.m_hWnd)) ::DestroyWindow(m_dlg.m_hWnd);
    PumpFor(50);
}
