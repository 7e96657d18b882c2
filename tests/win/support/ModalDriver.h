#pragma once

// Drives a modal dialog that a handler opens and runs in a loop of its own:
// a thread timer, ticking inside that loop, finds the dialog (the thread's
// visible, enabled window whose owner it has disabled) and runs one step per
// tick on it, so whatever a step posts is handled before the next step runs.
// Steps stop once the dialog has gone. So that no test can hang on a modal
// loop, a dialog still open after the last step is closed, as is any second
// modal dialog that opens while a step runs; both are counted. One at a time
// per thread.

#include <windows.h>

#include <functional>
#include <vector>

using ModalStep = std::function<void(HWND hDlg)>;

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    size_t StepsRun() const { return m_nStepsRun; }
    // Dialogs the driver had to close itself.
    int ClosedByDriver() const { return m_nClosedByDriver; }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Stop();

    std::vector<ModalStep> m_steps;
    UINT_PTR m_nTimer = 0;
    HWND m_hDlg = nullptr;
    size_t m_nStepsRun = 0;
    int m_nClosedByDriver = 0;
    int m_nIdleTicks = 0;
    bool m_bInStep = false;
};

// The thread's modal dialog on screen other than hExcept, or null.
HWND FindModalDialog(HWND hExcept = nullptr);
