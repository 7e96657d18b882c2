#pragma once

// The one way either program starts a file it downloaded: the updater
// "stel7_update.exe", in a folder of the programs' own under the user's
// temporary folder (in the temporary folder's root, any DLL planted there
// would load beside it). A file written in place could be started
// half-written or written over while it runs; so the updater is downloaded
// complete or not at all (DownloadUrlToFile), with a cap on its size, opened
// against writes, checked through that handle (a Windows program and, when a
// key is built in, the vendor's signature over its statement: role, announced
// build and the file's SHA-256), and started by its full path while still
// held. Both programs do this under the update lock (CUpdateLock).

#include <windows.h>

#include <string>

#include "UpdateKey.h"
#include "feeds/net/UrlDownload.h"
#include "framework/Handles.h"
#include "update/engine/UpdateLock.h"

// What the update document says of one updater.
struct UpdaterSource {
    std::string role;       // core::kProgramRole or core::kAgentRole
    std::string build;      // the announced build as the document writes it (see core::AnnouncedBuild)
    std::string url;        // only an http:// or https:// address is fetched
    std::string signature;  // base64 signature of the statement; "" when the document has none
};

inline constexpr const char kUpdaterFileName[] = "stel7_update.exe";
// The folder under the temporary folder that holds the updater while it is
// downloaded, checked and run.
inline constexpr const char kUpdaterFolder[] = "stel7\\";

class CVerifiedDownload {
public:
    // `tempDir` ends in a backslash. With an empty `publicKeyPem` no signature is asked for.
    CVerifiedDownload(UpdaterSource source, std::string tempDir, std::string publicKeyPem = kUpdatePublicKeyPem);
    // Deletes a downloaded file that was not started.
    ~CVerifiedDownload();
    CVerifiedDownload(const CVerifiedDownload&) = delete;
    CVerifiedDownload& operator=(const CVerifiedDownload&) = delete;

    // Deletes an old updater, so that no failure leaves one to be started;
    // downloads it and checks it, holding it open against writes from then
    // on. False, keeping
    // no file, on any failure: an announced build in another spelling, a
    // download past kLongestUpdaterBytes, a signalled `cancel` (may be null),
    // an updater's name in use (a running updater cannot be replaced). `idleMs`
    // bounds inactivity (see DownloadUrlToFile). Runs on any thread, while the
    // caller's thread holds the update lock.
    bool Download(unsigned idleMs, DownloadProgress onProgress = {}, HANDLE cancel = nullptr);

    // Starts the checked updater by its full path (ShellExecuteA "open",
    // SW_SHOWNORMAL, in its own folder) and only then lets go of it. False,
    // with nothing started, unless Download succeeded and `lock` is held.
    bool Start(const CUpdateLock& lock);

    std::string FolderPath() const { return m_strTempDir + kUpdaterFolder; }
    std::string TargetPath() const { return FolderPath() + kUpdaterFileName; }

private:
    void Discard();

    UpdaterSource m_source;
    std::string m_strTempDir;
    std::string m_strPublicKeyPem;
    std::string m_strDownloaded;  // the downloaded updater; "" when none
    CFileHandle m_held;           // the checked updater, open for reading only, shared for reading only
};

// The whole way on the calling thread: takes the update lock, downloads,
// checks and starts the updater, all within `overallMs` however the server
// drips its answer. For a program with no window to keep answering meanwhile
// (the boot agent). False when anything failed, the time ran out or the other
// program holds the lock; nothing was started then.
bool DownloadAndStartUpdater(const UpdaterSource& source, const std::string& tempDir, unsigned idleMs,
                             unsigned overallMs);
