#include "update/engine/VerifiedDownload.h"

#include <shellapi.h>

#include <optional>
#include <utility>

#include "core/DownloadCheck.h"
#include "core/UpdateStatement.h"
#include "core/Version.h"
#include "core/WebLink.h"
#include "feeds/net/ReplyLimits.h"
#include "update/engine/UpdateSignature.h"
#include "framework/DiagnosticLog.h"

namespace {

// ShellExecute's results up to 32 are errors.
constexpr INT_PTR kLastShellError = 32;

// The file's first two bytes; "" when they cannot be read.
std::string FirstTwoBytes(HANDLE hFile)
{
    char bytes[2] = {};
    DWORD read = 0;
    LARGE_INTEGER start = {};
    if (!::SetFilePointerEx(hFile, start, nullptr, FILE_BEGIN) || !::ReadFile(hFile, bytes, 2, &read, nullptr))
        return std::string();
    return std::string(bytes, read);
}

bool IsSignalled(HANDLE hEvent)
{
    return hEvent && ::WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0;
}

// A waitable timer that is signalled once `ms` have passed; null when none can be made.
class CAlarm {
public:
    explicit CAlarm(unsigned ms) : m_timer(::CreateWaitableTimerA(nullptr, TRUE, nullptr))
    {
        LARGE_INTEGER due = {};
        due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, in 100 ns
        if (m_timer && !::SetWaitableTimer(m_timer.Get(), &due, 0, nullptr, nullptr, FALSE)) m_timer.Reset();
    }
    HANDLE Handle() const { return m_timer.Get(); }

private:
    CKernelHandle m_timer;
};

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
    m_held.Reset();
    if (!m_strDownloaded.empty()) ::DeleteFileA(m_strDownloaded.c_str());
    m_strDownloaded.clear();
}

bool CVerifiedDownload::Download(unsigned idleMs, DownloadProgress onProgress, HANDLE cancel)
{
    Discard();
    if (m_strTempDir.empty()) return false;
    const std::string strFolder = FolderPath();
    if (!::CreateDirectoryA(strFolder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const std::string strTarget = TargetPath();
    ::DeleteFileA(strTarget.c_str());
    const std::optional<int> build = core::AnnouncedBuild(m_source.build);
    if (!build || !core::IsWebAddress(m_source.url)) {
        LogDiagnostic("updater refused: build \"" + m_source.build + "\" or address \"" + m_source.url + "\" not valid");
        return false;
    }

    // The file appears under the updater's name only complete; a running
    // updater's file cannot be replaced, which fails the download. A cancel
    // that comes as the download completes finds the file already in place:
    // it is the download's own from the start, so that Discard removes it.
    m_strDownloaded = strTarget;
    if (!DownloadUrlToFile(m_source.url, strTarget, idleMs, std::move(onProgress), cancel, kLongestUpdaterBytes) ||
        IsSignalled(cancel)) {
        LogDiagnostic("updater " + m_source.url + " refused: error status, cut short, over its length, or cancelled");
        Discard();
        return false;
    }
    // From here until its process has started, nobody writes, replaces or
    // removes what is checked.
    m_held.Reset(::CreateFileA(strTarget.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    const bool isProgram = m_held.IsValid() && core::StartsAsWindowsProgram(FirstTwoBytes(m_held.Get()));
    const std::string strStatement = isProgram && !m_strPublicKeyPem.empty()
                                         ? core::UpdateStatement(m_source.role, *build, FileSha256Hex(m_held.Get()))
                                         : std::string();
    const bool verified = isProgram && (m_strPublicKeyPem.empty() ||
                                        VerifyStatementSignature(strStatement, m_source.signature, m_strPublicKeyPem));
    if (!isProgram)
        LogDiagnostic("updater " + m_source.url + " refused: not a Windows program");
    else if (!verified)
        LogDiagnostic("updater " + m_source.url + " refused: no valid signature over \"" + strStatement + "\"");
    if (!verified) Discard();
    return verified;
}

bool CVerifiedDownload::Start(const CUpdateLock& lock)
{
    if (!m_held.IsValid() || !lock.IsHeld()) return false;
    const HINSTANCE hResult = ::ShellExecuteA(nullptr, "open", TargetPath().c_str(), nullptr, FolderPath().c_str(),
                                              SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(hResult) <= kLastShellError) {
        Discard();
        return false;
    }
    // The updater runs from its file now: it is its own.
    m_held.Reset();
    m_strDownloaded.clear();
    return true;
}

bool DownloadAndStartUpdater(const UpdaterSource& source, const std::string& tempDir, unsigned idleMs,
                             unsigned overallMs)
{
    CUpdateLock lock;
    if (!lock.Take()) return false;
    const CAlarm timeUp(overallMs);
    if (!timeUp.Handle()) return false;
    CVerifiedDownload download(source, tempDir);
    return download.Download(idleMs, {}, timeUp.Handle()) && download.Start(lock);
}
