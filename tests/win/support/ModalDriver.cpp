#include "tests/win/support/ModalDriver.h"

namespace {

ModalDriver* g_pActive = nullptr;

const UINT kTickMs = 20;
// Ticks to wait for a dialog to appear: about 5 s.
const int kMaxIdleTicks = 250;

struct Search {
    HWND hExcept;
    HWND hFound;
};

BOOL CALLBACK MatchModal(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    if (hWnd != pSearch->hExcept && hOwner && !::IsWindowEnabled(hOwner) && ::IsWindowVisible(hWnd) &&
        ::IsWindowEnabled(hWnd)) {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindModalDialog(HWND hExcept)
{
    Search search = {hExcept, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchModal, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

ModalDriver::ModalDriver(std::vector<ModalStep> steps) : m_steps(std::move(steps))
{
    g_pActive = this;
    m_nTimer = ::SetTimer(nullptr, 0, kTickMs, &ModalDriver::OnTick);
}

ModalDriver::~ModalDriver()
{
    Stop();
    g_pActive = nullptr;
}

void CALLBACK ModalDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pActive) g_pActive->Tick();
}

void ModalDriver::Stop()
{
    if (m_nTimer) ::KillTimer(nullptr, m_nTimer);
    m_nTimer = 0;
}

void ModalDriver::Tick()
{
    if (m_bInStep) {
        // A step opened another modal dialog: close it, or the step never returns.
        if (HWND hNested = FindModalDialog(m_hDlg)) {
            ++m_nClosedByDriver;
            ::PostMessageA(hNested, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (!m_hDlg) {
        m_hDlg = FindModalDialog();
        if (!m_hDlg && ++m_nIdleTicks > kMaxIdleTicks) Stop();
        return;
    }
    if (!::IsWindow(m_hDlg) || !::IsWindowVisible(m_hDlg)) {
        Stop();
        return;
    }
    if (m_nStepsRun == m_steps.size()) {
        ++m_nClosedByDriver;
        ::PostMessageA(m_hDlg, WM_CLOSE, 0, 0);
        Stop();
        return;
    }
    m_bInStep = true;
    m_steps[m_nStepsRun++](m_hDlg);
    m_bInStep = false;
}
