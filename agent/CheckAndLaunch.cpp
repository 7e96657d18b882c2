// The agent's one decision per run: the updater of a newer agent, or the main
// program when the user lets it start with Windows.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "BuildConfig.h"
#include "agent/AgentDlg.h"
#include "app/Registry.h"
#include "core/Version.h"
#include "core/WebLink.h"
#include "feeds/XmlFetch.h"

namespace {

std::string LastOf(const std::vector<std::vector<std::string>>& readings, size_t index)
{
    if (index >= readings.size() || readings[index].empty()) return std::string();
    return readings[index].back();
}

}  // namespace

void CAgentDlg::CheckAndLaunch()
{
    XmlRequest request;
    request.url = "http://" STEL7_VENDOR_HOST "/app/stel7/update/update.xml";
    request.deleteCacheEntry = true;
    request.readings = {{"agent_ver", -1}, {"agent_url", -1}};
    const XmlResult result = FetchXml(request, STEL7_NET_DEADLINE_MS);
    if (!result.parsed) return;

    char szInstalled[260] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7agent", "0", szInstalled, sizeof(szInstalled));
    // An address that is no web address is no update: the launch goes on.
    if (core::IsNewerBuild(szInstalled, LastOf(result.readings, 0)) &&
        core::IsWebAddress(LastOf(result.readings, 1)) && !m_strTempDir.IsEmpty()) {
        return;
    }
    LaunchMainProgram();
}

void CAgentDlg::LaunchMainProgram()
{
    char szRun[260] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "run", "true", szRun, sizeof(szRun));
    if (std::strcmp(szRun, "true") != 0 || m_strProgramDir.IsEmpty()) return;
    // A copy the user started before the network came up holds "stel7": a
    // second one would only say that it is running.
    HANDLE hRunning = ::OpenMutexA(SYNCHRONIZE, FALSE, "stel7");
    if (hRunning) {
        ::CloseHandle(hRunning);
        return;
    }
    const CString strProgram = m_strProgramDir + "stel7.exe";
    if (strProgram.GetLength() >= MAX_PATH) return;
    ::ShellExecuteA(nullptr, "open", strProgram, nullptr, nullptr, SW_SHOWNORMAL);
}
