#pragma once

// Downloads to a local file through the platform's URL download
// (URLDownloadToFileA), bounded by a deadline.

#include <windows.h>

#include <functional>
#include <string>

// Bytes received so far and the total (0 when the server sends no length).
using DownloadProgress = std::function<void(unsigned long progress, unsigned long progressMax)>;

// Downloads `url` into `path`, replacing the file. True only when the download
// reported success within `deadlineMs` and the file holds something. The platform stores
// a server's error page (HTTP status 400 and above) as the file and reports
// success; that counts as a failure here, and the page is deleted, so `path`
// then holds nothing.
//
// `onProgress` is called on the download thread, never on the caller's: a
// window forwards it with PostMessage. Once the deadline has passed the
// download is abandoned: its next progress report ends it (and `onProgress` is
// no longer called), so an abandoned download does not go on writing `path`
// while a later one does. One that never reports again stays blocked until its
// server gives up.
// A signalled `cancel` (an event, may be null) abandons the download as the
// deadline does.
bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned deadlineMs,
                       DownloadProgress onProgress = {}, HANDLE cancel = nullptr);

// Drops the URL's entry from the platform's URL cache, so that the next
// download or fetch of it reaches the server.
void DeleteCachedUrl(const std::string& url);
