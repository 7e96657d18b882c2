#pragma once

// Whether a server can be reached: InternetCheckConnectionA with the force
// flag, which succeeds as soon as a TCP connection to the URL's host opens
// (the page itself is not read).

#include <string>

// True when the check succeeded within `deadlineMs`.
bool ProbeConnection(const std::string& url, unsigned deadlineMs);
