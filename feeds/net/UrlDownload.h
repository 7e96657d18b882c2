#pragma once

// Downloads to a local file (HttpGet.h), bounded by a deadline on inactivity
// and by a size. The file appears at its path only complete: the download is
// written under a unique name beside it ("s7d????.tmp") and moved onto the
// path at the end.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "feeds/net/ReplyLimits.h"

// Bytes received so far and the total (0 when the server sends no length).
using DownloadProgress = std::function<void(unsigned long progress, unsigned long progressMax)>;

// The prefix of the unique names downloads are written under.
inline constexpr const char kPartFilePrefix[] = "s7d";

// Downloads `url` (http:// or https://) into `path`, replacing the file. True
// only when the body came whole, the answer's status was below 400, and the
// file holds something, and as many bytes as the server announced when it
// announced a length (core::CheckDownload). A server's error page, an answer
// that ends early and one that never comes are failures, and `path` is then
// deleted, so it holds nothing.
//
// `idleMs` bounds inactivity, not the whole transfer: the download is
// abandoned once that long passes without a piece of the body, so a large
// file that keeps coming is never cut off.
// A download stops, and fails, as soon as it passes `maxBytes` or the length
// its server announced, or once its server announces more than `maxBytes`:
// a body that never ends is input too. The default is a feed's limit (the
// channel's copy).
// `onProgress` is called on the download thread, never on the caller's: a
// window forwards it with PostMessage. An abandoned download ends at its next
// piece (and `onProgress` is no longer called) and deletes what it wrote, so
// it never writes `path` while a later download does. One that never
// receives again stays blocked until its server or the platform gives up.
// A signalled `cancel` (an event or timer, may be null) abandons the download at once.
bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned idleMs,
                       DownloadProgress onProgress = {}, HANDLE cancel = nullptr,
                       uint64_t maxBytes = kLongestFeedBytes);

// Drops the URL's entry from the platform's URL cache. The programs' own
// fetches and downloads never read it; the platform's browser does.
void DeleteCachedUrl(const std::string& url);
