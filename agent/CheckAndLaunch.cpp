// The agent's one decision per run: the updater of a newer agent, or the main
// program when the user lets it start with Windows.
#include <windows.h>

#include <shellapi.h>

#include "BuildConfig.h"
#include "agent/AgentDlg.h"
#include "app/shared/Settings.h"
#include "core/UpdateStatement.h"
#include "framework/DiagnosticLog.h"
#include "update/engine/UpdateAnnouncement.h"

namespace {

// The longest the agent's download of its updater may take, however its
// server drips the answer (a byte per deadline would hold the agent, and the
// main program's start, for ever): enough for the largest updater over a slow line.
constexpr unsigned kLongestUpdateMs = 5 * 60 * 1000;

}  // namespace

void CAgentDlg::CheckAndLaunch()
{
    const UpdateAnnouncement announcement =
        ReadAnnouncement(core::kAgentRole, FetchXml(AnnouncementRequest(core::kAgentRole), STEL7_NET_DEADLINE_MS));
    if (!announcement.bRead) {
        LogDiagnostic("agent: no update document, so no update and no start this run");
        return;
    }
    // Only a complete, verified updater is started, and then the main program
    // is not: the updater brings it back. An address that is no web address,
    // no temporary folder to download into, or an updater that cannot be
    // downloaded or verified is no update: an announcement anyone on the
    // network can make must not keep the main program from starting.
    const UpdaterSource& updater = announcement.updater;
    switch (DecideUpdate(announcement, InstalledBuild(core::kAgentRole))) {
    case UpdateDecision::Install:
        if (!m_strTempDir.IsEmpty() &&
            DownloadAndStartUpdater(updater, m_strTempDir.Str(), STEL7_NET_DEADLINE_MS, kLongestUpdateMs)) {
            LogDiagnostic("agent: started the updater of build " + updater.build);
            return;
        }
        [[fallthrough]];
    case UpdateDecision::NotInstallable:
        LogDiagnostic("agent: build " + updater.build + " announced but not installable; starting stel7 instead");
        break;
    case UpdateDecision::UpToDate:
        break;
    }
    LaunchMainProgram();
}

void CAgentDlg::LaunchMainProgram()
{
    if (!IsSettingOn(kSettingRun) || m_strProgramDir.IsEmpty()) {
        LogDiagnostic("agent: stel7 not started (not asked to start with Windows, or no program folder)");
        return;
    }
    // A copy the user started before the network came up holds "stel7": a
    // second one would only say that it is running.
    HANDLE hRunning = ::OpenMutexA(SYNCHRONIZE, FALSE, "stel7");
    if (hRunning) {
        ::CloseHandle(hRunning);
        LogDiagnostic("agent: stel7 already running");
        return;
    }
    const CString strProgram = m_strProgramDir + "stel7.exe";
    if (strProgram.GetLength() >= MAX_PATH) return;
    const INT_PTR nResult =
        reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", strProgram, nullptr, nullptr, SW_SHOWNORMAL));
    LogDiagnostic("agent: starting " + std::string(strProgram.Str()) + (nResult > 32 ? " done" : " failed"));
}
