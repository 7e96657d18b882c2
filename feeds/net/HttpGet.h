#pragma once

// One HTTP GET whose body is handed over piece by piece, so that its reader
// decides how much of it to take: every reply and download of the programs'
// own comes through here. It uses WinHTTP, not WinInet: Wine's WinInet,
// asked to close a request whose body has not been read to its end, reads on
// to that end first, and a body that never ends holds it for ever.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

struct HttpReply
{
    DWORD status = 0;              // the final answer's status, after redirects
    uint64_t announcedLength = 0;  // its Content-Length; 0: none
};

// Reads piece after piece of the body of `url` (http:// or https://) and
// hands each to `onPiece`, which stops the reading by returning false. Before
// the first piece `reply` holds the answer's status and announced length.
// True when the body was read to its end; false when no answer came, a read
// failed or `onPiece` stopped it. The proxy is the user's Internet settings'
// fixed one, if any; nothing comes from or goes into a cache.
bool HttpGet(const std::string& url, HttpReply& reply, const std::function<bool(const char*, DWORD)>& onPiece);
