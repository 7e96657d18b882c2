#pragma once

// Drives a modal dialog that a handler opens in a loop of its own: a thread
// timer ticking in that loop finds the dialog (the thread's visible window
// whose owner is disabled) and runs one step per tick on it, so that what a
// step posts is handled before the next. Steps stop when the dialog goes. So
// that no test hangs in a modal loop, the driver closes the dialog if it
// outlives the steps, and any second modal dialog a step opens, and counts
// them. One at a time per thread.

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

using ModalStep = std::function<void(HWND hDlg)>;

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps) : m_steps(std::move(steps))
    {
        Active() = this;
        m_nTimer = ::SetTimer(nullptr, 0, 20, &OnTick);
    }
    ~ModalDriver()
    {
        ::KillTimer(nullptr, m_nTimer);
        Active() = nullptr;
    }

    size_t m_nStepsRun = 0;
    int m_nClosedByDriver = 0;

private:
    static ModalDriver*& Active()
    {
        static ModalDriver* s_pActive = nullptr;
        return s_pActive;
    }
    // The search: the window to skip, then the one found.
    static BOOL CALLBACK MatchModal(HWND hWnd, LPARAM lParam)
    {
        auto* pSearch = reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
        const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
        if (hWnd == pSearch->first || !hOwner || ::IsWindowEnabled(hOwner) || !::IsWindowVisible(hWnd)) return TRUE;
        pSearch->second = hWnd;
        return FALSE;
    }
    static HWND FindModal(HWND hExcept)
    {
        std::pair<HWND, HWND> search = {hExcept, nullptr};
        ::EnumThreadWindows(::GetCurrentThreadId(), &MatchModal, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    void Close(HWND hDlg)
    {
        ++m_nClosedByDriver;
        ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    }
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalDriver* pThis = Active();
        if (!pThis || pThis->m_bDone) return;
        if (pThis->m_bInStep) {
            if (HWND hNested = FindModal(pThis->m_hDlg)) pThis->Close(hNested);
            return;
        }
        if (!pThis->m_hDlg) pThis->m_hDlg = FindModal(nullptr);
        if (!pThis->m_hDlg || !::IsWindowVisible(pThis->m_hDlg)) return;
        if (pThis->m_nStepsRun == pThis->m_steps.size()) {
            pThis->m_bDone = true;
            pThis->Close(pThis->m_hDlg);
            return;
        }
        pThis->m_bInStep = true;
        pThis->m_steps[pThis->m_nStepsRun++](pThis->m_hDlg);
        pThis->m_bInStep = false;
    }

    std::vector<ModalStep> m_steps;
    UINT_PTR m_nTimer = 0;
    HWND m_hDlg = nullptr;
    bool m_bInStep = false;
    bool m_bDone = false;
};
