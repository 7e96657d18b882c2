#pragma once

// Downloads to a local file through the platform's URL download
// (URLDownloadToFileA), bounded by a deadline on inactivity.

#include <windows.h>

#include <functional>
#include <string>

// Bytes received so far and the total (0 when the server sends no length).
using DownloadProgress = std::function<void(unsigned long progress, unsigned long progressMax)>;

// Downloads `url` into `path`, replacing the file. True only when the download
// reported success, the answer's status was below 400, and the file holds
// something, and as many bytes as the server announced when it announced a
// length (core::CheckDownload). The platform stores a server's error page as
// the file and reports success, as it does for a server that closes without
// answering or in the middle of the body; all count as failures here, and
// `path` is deleted, so it then holds nothing.
//
// `idleMs` bounds inactivity, not the whole transfer: the download is
// abandoned once that long passes without a progress report, so a large file
// that keeps coming is never cut off.
// `onProgress` is called on the download thread, never on the caller's: a
// window forwards it with PostMessage. An abandoned download ends at its next
// progress report (and `onProgress` is no longer called), and deletes what it
// stored at `path` once the platform lets go of it, so an abandoned download
// does not go on writing `path` while a later one does. One that never
// reports again stays blocked until its server gives up.
// A signalled `cancel` (an event, may be null) abandons the download at once.
bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned idleMs,
                       DownloadProgress onProgress = {}, HANDLE cancel = nullptr);

// Drops the URL's entry from the platform's URL cache, so that the next
// download or fetch of it reaches the server.
void DeleteCachedUrl(const std::string& url);
