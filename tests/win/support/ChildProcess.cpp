#include "tests/win/support/ChildProcess.h"

#include <tlhelp32.h>

namespace {

const char kStartedKey[] = "Software\\stel7test\\started";

}  // namespace

ChildProcess::~ChildProcess()
{
    if (!m_pi.hProcess) return;
    if (!WaitExit(0)) ::TerminateProcess(m_pi.hProcess, 1);
    ::CloseHandle(m_pi.hProcess);
    ::CloseHandle(m_pi.hThread);
}

bool ChildProcess::Start(const std::string& path, const std::string& arguments)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string command = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    return ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi) != 0;
}

bool ChildProcess::WaitExit(DWORD ms)
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0;
}

int EndStartedPrograms(const char* exeName)
{
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(hSnapshot, &entry); more; more = ::Process32Next(hSnapshot, &entry)) {
        if (entry.th32ParentProcessID != ::GetCurrentProcessId() || ::lstrcmpiA(entry.szExeFile, exeName) != 0) continue;
        const HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!hProcess) continue;
        ::TerminateProcess(hProcess, 1);
        ::WaitForSingleObject(hProcess, 5000);
        ::CloseHandle(hProcess);
        ++count;
    }
    ::CloseHandle(hSnapshot);
    return count;
}

std::string RegistryText(const char* key, const char* name)
{
    char szValue[2048] = {};
    DWORD dwSize = sizeof(szValue) - 1;
    if (::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, szValue, &dwSize) != ERROR_SUCCESS) {
        return std::string();
    }
    return szValue;
}

std::string RecordedStart(const std::string& name)
{
    return RegistryText(kStartedKey, name.c_str());
}

void ClearRecordedStarts()
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kStartedKey);
}

std::string TestProgramDir()
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string dir(szPath);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

std::string TempDir()
{
    char szFolder[MAX_PATH + 1] = {};
    return std::string(szFolder, ::GetTempPathA(MAX_PATH, szFolder));
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
