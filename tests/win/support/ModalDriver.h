#pragma once

// Drives a modal dialog that a handler opens in a loop of its own: a thread
// timer ticking in that loop runs one step per tick on the thread's modal
// dialog (a visible window whose owner is disabled), so that what a step posts
// is handled before the next. Once the steps have run, any modal dialog still
// there is closed and counted, so that no test hangs in a modal loop.

#include <windows.h>

#include <functional>
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

    // The thread's modal dialog other than hExcept, or null.
    static HWND FindModal(HWND hExcept = nullptr)
    {
        HWND search[2] = {hExcept, nullptr};
        ::EnumThreadWindows(::GetCurrentThreadId(), &Match, reinterpret_cast<LPARAM>(search));
        return search[1];
    }

    size_t m_nStepsRun = 0;
    int m_nClosed = 0;

private:
    static ModalDriver*& Active()
    {
        static ModalDriver* s_pActive = nullptr;
        return s_pActive;
    }
    static BOOL CALLBACK Match(HWND hWnd, LPARAM lParam)
    {
        HWND* search = reinterpret_cast<HWND*>(lParam);
        const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
        if (hWnd == search[0] || !hOwner || ::IsWindowEnabled(hOwner) || !::IsWindowVisible(hWnd)) return TRUE;
        search[1] = hWnd;
        return FALSE;
    }
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalDriver* pThis = Active();
        const HWND hDlg = pThis ? FindModal() : nullptr;
        if (!hDlg) return;
        if (pThis->m_nStepsRun < pThis->m_steps.size()) {
            pThis->m_steps[pThis->m_nStepsRun++](hDlg);
        } else {
            ++pThis->m_nClosed;
            ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
        }
    }

    std::vector<ModalStep> m_steps;
    UINT_PTR m_nTimer = 0;
};
