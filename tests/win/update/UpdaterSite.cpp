#include "tests/win/update/UpdaterSite.h"

#include <fstream>
#include <iterator>

#include "UpdateKey.h"
#include "feeds/VerifiedDownload.h"
#include "tests/win/support/StandIn.h"

namespace UpdaterSite {

namespace {

constexpr const char kStartKey[] = "Software\\stel7test\\updater";

// The folder the build made beside the test program, with a trailing backslash.
std::string SiteFolder()
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string folder(szPath);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "update-site\\";
}

std::string ReadStart()
{
    char szValue[MAX_PATH] = {};
    DWORD size = sizeof(szValue);
    if (::RegGetValueA(HKEY_CURRENT_USER, kStartKey, "started", RRF_RT_REG_SZ, nullptr, szValue, &size) !=
        ERROR_SUCCESS)
        return std::string();
    return szValue;
}

}  // namespace

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

std::string Bytes()
{
    return ReadFileBytes(SiteFolder() + "stel7_update.exe");
}

std::string GoodSignature()
{
    return ReadFileBytes(SiteFolder() + "good.sig");
}

std::string OtherKeySignature()
{
    return ReadFileBytes(SiteFolder() + "other_key.sig");
}

bool HasBuiltInKey()
{
    return kUpdatePublicKeyPem[0] != '\0';
}

std::string TempDir()
{
    char szFolder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, szFolder);
    return std::string(szFolder, length);
}

std::string TargetPath()
{
    return TempDir() + "stel7_update.exe";
}

bool Serve(const std::string& bytes)
{
    return StandIn::SetDocument(kPath, bytes);
}

void ClearStart()
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kStartKey);
}

std::string WaitForStart(DWORD ms)
{
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        const std::string path = ReadStart();
        if (!path.empty() || ::GetTickCount64() - start >= ms) return path;
        ::Sleep(50);
    }
}

int LeftoverDownloads(bool remove)
{
    WIN32_FIND_DATAA data = {};
    const HANDLE hFind = ::FindFirstFileA((TempDir() + kDownloadPrefix + "*.tmp").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
        if (remove) ::DeleteFileA((TempDir() + data.cFileName).c_str());
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return count;
}

}  // namespace UpdaterSite
