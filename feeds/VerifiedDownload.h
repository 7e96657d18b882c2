#pragma once

// The one way either program starts a file it downloaded: the updater
// "stel7_update.exe" in the user's temporary folder. The platform's download
// reports success for error pages, empty answers and bodies cut short, and a
// file written in place could be started half-written or written over while
// it runs; so the updater is downloaded to a unique name in the temporary
// folder, checked (a complete answer, a Windows program and, when a key is
// built in, the vendor's signature over its bytes), and only then renamed onto
// the updater's name and started. Both programs do this under the update lock
// (CUpdateLock).

#include <windows.h>

#include <string>

#include "UpdateKey.h"
#include "feeds/UpdateLock.h"
#include "feeds/UrlDownload.h"

// What the update document says of one updater.
struct UpdaterSource {
    std::string url;        // only an http:// or https:// address is fetched
    std::string signature;  // base64 signature over the file; "" when the document has none
};

inline constexpr const char kUpdaterFileName[] = "stel7_update.exe";
// Downloads are made under unique names "s7u????.tmp" in the temporary folder.
inline constexpr const char kDownloadPrefix[] = "s7u";

class CVerifiedDownload {
public:
    // `tempDir` ends in a backslash. With an empty `publicKeyPem` no signature is asked for.
    CVerifiedDownload(UpdaterSource source, std::string tempDir, std::string publicKeyPem = kUpdatePublicKeyPem);
    // Deletes a downloaded file that was not placed.
    ~CVerifiedDownload();
    CVerifiedDownload(const CVerifiedDownload&) = delete;
    CVerifiedDownload& operator=(const CVerifiedDownload&) = delete;

    // Deletes an old updater, so that no failure leaves one to be started;
    // downloads to a unique name and checks the file. False, keeping no file,
    // on any failure and when `cancel` (may be null) was signalled. `idleMs`
    // bounds inactivity (see DownloadUrlToFile). Runs on any thread, while the
    // caller's thread holds the update lock.
    bool Download(unsigned idleMs, DownloadProgress onProgress = {}, HANDLE cancel = nullptr);

    // Renames the checked file onto the updater's name and starts it
    // (ShellExecuteA "open", SW_SHOWNORMAL). False, with nothing started, unless
    // Download succeeded and `lock` is held, or when the updater's name is in
    // use (a running updater cannot be replaced).
    bool PlaceAndStart(const CUpdateLock& lock);

    std::string TargetPath() const { return m_strTempDir + kUpdaterFileName; }

private:
    void Discard();

    UpdaterSource m_source;
    std::string m_strTempDir;
    std::string m_strPublicKeyPem;
    std::string m_strDownloaded;  // the checked file under its unique name; "" when none
};

// The whole way on the calling thread: takes the update lock, downloads,
// checks, places and starts the updater. For a program with no window to keep
// answering meanwhile (the boot agent). False when anything failed or the
// other program holds the lock; nothing was started then.
bool DownloadAndStartUpdater(const UpdaterSource& source, const std::string& tempDir, unsigned idleMs,
                             HANDLE cancel = nullptr);
