#pragma once

// Drives a modal dialog that a handler opens and runs in a loop of its own: a
// thread timer ticking inside that loop finds the dialog (the thread's visible
// window whose owner is disabled) and runs one step per tick on it, so that
// what a step posts is handled before the next. Steps stop when the dialog
// goes. So that no test hangs on a modal loop, the driver closes the dialog
// when it outlives the last step, and any second modal dialog that opens
// while a step runs, and counts them. One at a time per thread.

#include <windows.h>

#include <functional>
#include <vector>

using ModalStep = std::function<void(HWND hDlg)>;

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps);
    ~ModalDriver();

    size_t m_nStepsRun = 0;
    int m_nClosedByDriver = 0;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Close(HWND hDlg);

    std::vector<ModalStep> m_steps;
    UINT_PTR m_nTimer = 0;
    HWND m_hDlg = nullptr;
    bool m_bInStep = false;
    bool m_bOutlived = false;
};
