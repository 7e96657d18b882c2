#pragma once

// What a finished download must show before its file is trusted. The
// platform's URL download reports success for a server's error page (which it
// stores as the file), for a server that closes without answering (an empty
// file) and for a body cut short, so the facts are checked here.

#include <cstdint>
#include <string>

namespace core {

struct DownloadFacts {
    bool completed = false;        // the platform reported success before any deadline or cancel
    unsigned httpStatus = 0;       // 0: no HTTP status came with the answer
    uint64_t size = 0;             // bytes in the file
    uint64_t announcedLength = 0;  // the length the server announced; 0: none
    uint64_t largestSize = 0;      // the most the file may hold; 0: no limit
};

enum class DownloadVerdict {
    Good,
    Failed,       // not completed
    ErrorStatus,  // status 400 or above: the file is an error page
    Empty,
    TooLarge,     // larger than it may be (the download should have stopped there)
    WrongLength,  // the file is not as long as announced
};

DownloadVerdict CheckDownload(const DownloadFacts& facts);

// True when the bytes start as every Windows program does, with "MZ".
bool StartsAsWindowsProgram(const std::string& firstBytes);

}  // namespace core
