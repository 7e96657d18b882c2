#pragma once

// Test access to the local stand-in server that the test script starts at the
// build's vendor host: addresses of its documents and its test controls (faults,
// replacement documents, the request log). A control returns false when the
// server did not accept it, which a test should assert, since nothing after it
// would mean anything.

#include <string>
#include <vector>

namespace StandIn {

// "http://" + the build's vendor host + path.
std::string Url(const std::string& path);

// Clears faults, replacement documents and the log; wakes held requests.
bool Reset();

// Mode: none, html, malformed, empty, 404, hang, slow or close; for the body of
// a replacement document also trickle, stall, short or nolength. `seconds` is
// the delay of slow, trickle and nolength (0: the server's default).
bool SetFault(const std::string& path, const std::string& mode, int seconds = 0);

// Serves the data folder's file `name` for `path`.
bool ServeFile(const std::string& path, const std::string& name);

// Serves `body` (bytes as given; XML is taken as UTF-8) for `path`.
bool SetDocument(const std::string& path, const std::string& body);

// The requests so far that start with `prefix`, one "METHOD /path?query" line
// each, oldest first; controls are not logged. Empty also when the server
// cannot be reached.
std::vector<std::string> Log(const std::string& prefix = "");

bool ClearLog();

// Takes the server down for `seconds`: connections are refused, then it listens again.
bool GoDown(int seconds);

// Whether WinInet's cache, which the programs' requests go through, holds a
// reply for `url`.
bool Cached(const std::string& url);

// One case of a table run against a path: the stand-in answers with `fault`,
// or, when that is "", serves `document`; `expected` is what the test then asks.
struct FaultCase {
    const char* fault;
    std::string document;
    bool expected;
};

// Serves the case for `path`, replacing what an earlier case served there: its
// document, shaped by its fault when it has both ("slow", "short"), or the
// fault alone.
bool Serve(const std::string& path, const FaultCase& c);

}  // namespace StandIn
