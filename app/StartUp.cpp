// The start-up's network steps. The window shows first and the steps follow
// on a worker in their fixed order (count, update check, search rank, the two
// searches, pop-up check), so a slow or hanging server never keeps the window
// away, and it paints and answers its tray icon meanwhile.
#include "app/MainDlg.h"

void CMainDlg::StartStartUp()
{
    CWinThread* pThread = AfxBeginThread(&CMainDlg::StartUpThreadProc, this, THREAD_PRIORITY_NORMAL, 0,
                                         CREATE_SUSPENDED, nullptr);
    if (!pThread) {
        // Without a worker the steps run here, before the window shows.
        CFeedTurn turn(m_feedGate);
        RunStartUp();
        return;
    }
    // The turn is taken before the window can take a press, so a search typed
    // during the start-up comes after its searches and stays on screen.
    m_nStartUpTicket = m_feedGate.Reserve();
    ++m_nLiveWorkers;
    pThread->ResumeThread();
}

UINT CMainDlg::StartUpThreadProc(LPVOID pParam)
{
    CMainDlg* pDlg = static_cast<CMainDlg*>(pParam);
    {
        CFeedTurn turn(pDlg->m_feedGate, pDlg->m_nStartUpTicket);
        pDlg->RunStartUp();
    }
    // The worker's last touch of the window: its destruction waits for this.
    --pDlg->m_nLiveWorkers;
    return 0;
}

void CMainDlg::RunStartUp()
{
    // Once the window closes each step returns at once: every network wait
    // ends on m_closing and no window opens over a closing one.
    SendCount("execute");
    CheckUpdate(0);
    LoadSearchRank();
    LoadVideoSearch(m_strTopKeyword);
    LoadTweetSearch(m_strTopKeyword);
    CheckPopup();
}

void CMainDlg::RunOnWindowThread(const std::function<void()>& fnStep)
{
    // Sent, not posted: the caller goes on only once the step is done (an
    // update window has ended before the searches start). On the window's
    // own thread this is a plain call.
    SendMessage(WM_RUN_ON_WINDOW, 0, reinterpret_cast<LPARAM>(&fnStep));
}

LRESULT CMainDlg::OnRunOnWindow(WPARAM, LPARAM lParam)
{
    if (!m_closing.IsSet()) (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}
