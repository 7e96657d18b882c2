#include "framework/DiagnosticLog.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

#include "framework/Handles.h"

namespace {

std::mutex g_lock;
std::string g_strPath;

// From the environment, as the shell sets it at logon: the shell's own folder
// query would load shell32 at start-up for one path.
std::string LocalAppData()
{
    char szPath[MAX_PATH] = {};
    const DWORD dwLength = ::GetEnvironmentVariableA("LOCALAPPDATA", szPath, sizeof(szPath));
    return dwLength > 0 && dwLength < sizeof(szPath) ? std::string(szPath, dwLength) : std::string();
}

unsigned long long FileSize(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Line(const std::string& strWhat)
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    char szStamp[64] = {};
    std::snprintf(szStamp, sizeof(szStamp), "%04u-%02u-%02u %02u:%02u:%02u.%03u %lu ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                  static_cast<unsigned long>(::GetCurrentThreadId()));
    std::string strLine = szStamp + strWhat;
    for (char& ch : strLine) {
        if (ch == '\r' || ch == '\n') ch = ' ';
    }
    return strLine + "\r\n";
}

}  // namespace

void OpenDiagnosticLog(const char* pszFolder, const char* pszFile)
{
    const std::string strBase = LocalAppData();
    std::lock_guard<std::mutex> lock(g_lock);
    g_strPath.clear();
    if (strBase.empty() || !pszFolder || !pszFile) return;
    const std::string strFolder = strBase + "\\" + pszFolder;
    ::CreateDirectoryA(strFolder.c_str(), nullptr);
    g_strPath = strFolder + "\\" + pszFile;
}

void LogDiagnostic(const std::string& strWhat)
{
    const std::string strLine = Line(strWhat);
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_strPath.empty()) return;
    if (FileSize(g_strPath) + strLine.size() > kDiagnosticLogCap) {
        ::MoveFileExA(g_strPath.c_str(), (g_strPath + ".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    // Opened for each line and shared, so another copy of the program (an
    // updater's restart) can write too, and nothing stays open.
    const CFileHandle file(::CreateFileA(g_strPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD dwWritten = 0;
    ::WriteFile(file.Get(), strLine.data(), static_cast<DWORD>(strLine.size()), &dwWritten, nullptr);
}

std::string DiagnosticLogPath()
{
    std::lock_guard<std::mutex> lock(g_lock);
    return g_strPath;
}
