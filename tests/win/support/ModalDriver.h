#pragma once

// Drives a modal dialog that a handler opens in a loop of its own: a thread
// timer ticking in that loop runs one step per tick on the thread's modal
// dialog (a visible window whose owner is disabled), so that what a step posts
// is handled before the next. Once the steps have run, any modal dialog still
// there is closed and counted, so that no test hangs in a modal loop. One
// driver at a time: a thread timer's procedure gets no context of its own.

#include <windows.h>

#include <functional>
#include <vector>

using ModalStep = std::function<void(HWND hDlg)>;

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps) : m_steps(std::move(steps)) { s_pActive = this; }
    ~ModalDriver()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_pActive = nullptr;
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
        const HWND hDlg = s_pActive ? FindModal() : nullptr;
        if (!hDlg) return;
        if (s_pActive->m_nStepsRun < s_pActive->m_steps.size()) {
            s_pActive->m_steps[s_pActive->m_nStepsRun++](hDlg);
        } else {
            ++s_pActive->m_nClosed;
            ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
        }
    }

    static inline ModalDriver* s_pActive = nullptr;
    std::vector<ModalStep> m_steps;
    UINT_PTR m_nTimer = ::SetTimer(nullptr, 0, 20, &OnTick);
};
