#include "tests/win/update/ModalDriver.h"

#include "res/resource.h"

namespace {

constexpr UINT kStepMs = 50;
// One driver at a time: a thread timer's procedure gets no context of its own.
ModalDriver* g_pActive = nullptr;

BOOL CALLBACK MatchUpdateWindow(HWND hWnd, LPARAM lParam)
{
    if (!::IsWindowVisible(hWnd) || !::GetDlgItem(hWnd, IDC_PROGRESS_UPDATE)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

}  // namespace

ModalDriver::ModalDriver(std::function<bool()> step) : m_step(std::move(step))
{
    g_pActive = this;
    m_nTimer = ::SetTimer(nullptr, 0, kStepMs, &ModalDriver::OnTimer);
}

ModalDriver::~ModalDriver()
{
    if (m_nTimer) ::KillTimer(nullptr, m_nTimer);
    g_pActive = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ModalDriver* pDriver = g_pActive;
    if (!pDriver || pDriver->m_nTimer != nIDEvent || pDriver->m_bInStep || pDriver->m_bDone) return;
    pDriver->m_bInStep = true;
    pDriver->m_bDone = pDriver->m_step();
    pDriver->m_bInStep = false;
}

HWND FindUpdateWindow()
{
    HWND hFound = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchUpdateWindow, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}
