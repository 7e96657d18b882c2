#pragma once

// CAgentDlg: the boot agent's hidden window. Started at logon, it waits until
// the vendor's server answers, sends the boot count, then either starts the
// agent's updater or the main program, and ends.

#include "framework/Dialog.h"
#include "framework/String.h"

class CAgentDlg : public CDialog {
public:
    explicit CAgentDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // One decision per run: a newer agent's updater, or the main program.
    void CheckAndLaunch();

    HICON m_hIcon = nullptr;
    // Both end in a backslash; empty when the platform gave no usable path.
    CString m_strTempDir;
    CString m_strProgramDir;

protected:
    const MessageMap* GetMessageMap() const override;
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnExitRequest(WPARAM wParam, LPARAM lParam);

private:
    void LaunchMainProgram();
};
