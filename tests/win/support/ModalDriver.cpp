#include "tests/win/support/ModalDriver.h"

namespace {

ModalDriver* g_pActive = nullptr;

struct Search {
    HWND hExcept;
    HWND hFound;
};

BOOL CALLBACK MatchModal(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    if (hWnd == pSearch->hExcept || !hOwner || ::IsWindowEnabled(hOwner) || !::IsWindowVisible(hWnd)) return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

HWND FindModalDialog(HWND hExcept)
{
    Search search = {hExcept, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchModal, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<ModalStep> steps) : m_steps(std::move(steps))
{
    g_pActive = this;
    m_nTimer = ::SetTimer(nullptr, 0, 20, &ModalDriver::OnTick);
}

ModalDriver::~ModalDriver()
{
    ::KillTimer(nullptr, m_nTimer);
    g_pActive = nullptr;
}

void ModalDriver::Close(HWND hDlg)
{
    ++m_nClosedByDriver;
    ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
}

void CALLBACK ModalDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalDriver* pThis = g_pActive;
    if (!pThis) return;
    if (pThis->m_bInStep) {
        if (HWND hNested = FindModalDialog(pThis->m_hDlg)) pThis->Close(hNested);
        return;
    }
    if (!pThis->m_hDlg) pThis->m_hDlg = FindModalDialog(nullptr);
    const HWND hDlg = pThis->m_hDlg;
    if (!hDlg || !::IsWindowVisible(hDlg) || pThis->m_bOutlived) return;
    if (pThis->m_nStepsRun == pThis->m_steps.size()) {
        pThis->m_bOutlived = true;
        pThis->Close(hDlg);
        return;
    }
    pThis->m_bInStep = true;
    pThis->m_steps[pThis->m_nStepsRun++](hDlg);
    pThis->m_bInStep = false;
}
