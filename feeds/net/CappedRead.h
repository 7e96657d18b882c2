#pragma once

// Reads a reply into memory, never more than a cap. MSXML's XMLHTTP holds the
// whole reply before anyone can look at its size, and an abandoned request
// goes on buffering; this reads in pieces (HttpGet.h) on the caller's thread
// (a fetch thread), so a body past its cap, or one nobody waits for any more,
// stops being read at the next piece.

#include <atomic>
#include <cstdint>
#include <string>

struct CappedReply
{
    bool received = false;  // the server (or the file) answered; false: no connection, no file, abandoned
    bool tooLarge = false;  // the reply passed the cap; `bytes` is then empty
    std::string bytes;
};

// `source` is an http:// or https:// address, read from the server; or a
// local file path (the channel's downloaded copy). Any other address is not
// read. The HTTP status is not looked at: an error page is a reply like any
// other. Reading stops as soon as `abandoned` is set; the reply then counts
// as not received.
CappedReply ReadCapped(const std::string& source, uint64_t maxBytes, const std::atomic<bool>& abandoned);
