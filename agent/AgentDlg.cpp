// The agent's start-up and its wait for the vendor's server.
#include "agent/AgentDlg.h"

#include "BuildConfig.h"
#include "app/shared/ExitRequest.h"
#include "feeds/net/AnalyticsPing.h"
#include "feeds/net/ConnectionProbe.h"
#include "feeds/net/VendorUrls.h"
#include "framework/WinApp.h"
#include "res/agent_resource.h"

namespace {

const UINT_PTR kPollTimer = 1;
const UINT kPollMs = 3000;

// A folder path as the platform wrote it into a buffer of MAX_PATH: empty when
// the call failed or the path did not fit (a cut path would turn into a
// relative one).
CString FittingPath(DWORD dwLength, const char* pszPath)
{
    return dwLength > 0 && dwLength < MAX_PATH ? CString(pszPath) : CString();
}

}  // namespace

CAgentDlg::CAgentDlg(CWnd* pParent) : CDialog(IDD_AGENT, pParent)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_AGENT));
}

const MessageMap* CAgentDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapMessage<&CAgentDlg::OnPaint>(WM_PAINT),
        MapQueryDragIcon<&CAgentDlg::OnQueryDragIcon>(),
        MapTimer<&CAgentDlg::OnTimer>(),
        MapRegisteredMessage<&CAgentDlg::OnExitRequest>(g_nExitRequest),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Held until the process ends; a second agent ends before any traffic.
    ::CreateMutexA(nullptr, TRUE, "stel7agent");
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        SendMessage(WM_COMMAND, IDCANCEL);
        return FALSE;
    }

    char szPath[MAX_PATH] = {};
    m_strTempDir = FittingPath(::GetTempPathA(MAX_PATH, szPath), szPath);
    const DWORD dwLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    const CString strProgram = FittingPath(dwLength, szPath);
    const int nSlash = strProgram.ReverseFind('\\');
    m_strProgramDir = nSlash >= 0 ? strProgram.Left(nSlash + 1) : CString();

    // No taskbar button and no size: the agent is never seen.
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE,
                        (::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    MoveWindow(0, 0, 0, 0);
    SetTimer(kPollTimer, kPollMs);
    return TRUE;
}

void CAgentDlg::OnPaint()
{
    PaintIconOrDefault(m_hIcon);
}

HCURSOR CAgentDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CAgentDlg::OnTimer(UINT_PTR nIDEvent)
{
    // The probe waits without dispatching timer messages, so ticks never
    // overlap, and the timer is gone before the one boot count.
    if (nIDEvent == kPollTimer &&
        ProbeConnection("http://" STEL7_VENDOR_HOST "/app/stel7/config/connection.html", STEL7_NET_DEADLINE_MS)) {
        KillTimer(kPollTimer);
        SendAnalyticsPing(CountUrl("boot"), STEL7_NET_DEADLINE_MS);
        CheckAndLaunch();
        OnCancel();
    }
    Default();
}

LRESULT CAgentDlg::OnExitRequest(WPARAM, LPARAM)
{
    OnCancel();
    return 0;
}
