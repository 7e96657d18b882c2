#include "feeds/VerifiedDownload.h"

#include <shellapi.h>

#include <utility>

#include "core/DownloadCheck.h"
#include "core/WebLink.h"
#include "feeds/UpdateSignature.h"

namespace {

// ShellExecute's results up to 32 are errors.
constexpr INT_PTR kLastShellError = 32;

// The first `count` bytes of a file (fewer when it is shorter); "" when it cannot be read.
std::string FirstBytes(const std::string& path, DWORD count)
{
    const HANDLE hFile =
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(count, '\0');
    DWORD read = 0;
    if (!::ReadFile(hFile, &bytes[0], count, &read, nullptr)) read = 0;
    ::CloseHandle(hFile);
    bytes.resize(read);
    return bytes;
}

bool IsSignalled(HANDLE hEvent)
{
    return hEvent && ::WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0;
}

}  // namespace

CVerifiedDownload::CVerifiedDownload(UpdaterSource source, std::string tempDir, std::string publicKeyPem)
    : m_source(std::move(source)), m_strTempDir(std::move(tempDir)), m_strPublicKeyPem(std::move(publicKeyPem))
{
}

CVerifiedDownload::~CVerifiedDownload()
{
    Discard();
}

void CVerifiedDownload::Discard()
{
    if (!m_strDownloaded.empty()) ::DeleteFileA(m_strDownloaded.c_str());
    m_strDownloaded.clear();
}

bool CVerifiedDownload::Download(unsigned idleMs, DownloadProgress onProgress, HANDLE cancel)
{
    Discard();
    if (m_strTempDir.empty()) return false;
    ::DeleteFileA(TargetPath().c_str());
    if (!core::IsWebAddress(m_source.url)) return false;
    char szUnique[MAX_PATH] = {};
    if (!::GetTempFileNameA(m_strTempDir.c_str(), kDownloadPrefix, 0, szUnique)) return false;
    m_strDownloaded = szUnique;

    DeleteCachedUrl(m_source.url);
    const bool verified =
        DownloadUrlToFile(m_source.url, m_strDownloaded, idleMs, std::move(onProgress), cancel) &&
        !IsSignalled(cancel) && core::StartsAsWindowsProgram(FirstBytes(m_strDownloaded, 2)) &&
        (m_strPublicKeyPem.empty() || VerifyFileSignature(m_strDownloaded, m_source.signature, m_strPublicKeyPem));
    if (!verified) Discard();
    return verified;
}

bool CVerifiedDownload::PlaceAndStart(const CUpdateLock& lock)
{
    if (m_strDownloaded.empty() || !lock.IsHeld()) return false;
    const std::string strTarget = TargetPath();
    if (!::MoveFileExA(m_strDownloaded.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        Discard();
        return false;
    }
    m_strDownloaded.clear();
    const HINSTANCE hResult = ::ShellExecuteA(nullptr, "open", strTarget.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > kLastShellError;
}

bool DownloadAndStartUpdater(const UpdaterSource& source, const std::string& tempDir, unsigned idleMs,
                             HANDLE cancel)
{
    CUpdateLock lock;
    if (!lock.Take()) return false;
    CVerifiedDownload download(source, tempDir);
    return download.Download(idleMs, {}, cancel) && download.PlaceAndStart(lock);
}
