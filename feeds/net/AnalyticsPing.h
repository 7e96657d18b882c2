#pragma once

// The analytics ping: a usage count is one GET of the count URL whose reply is
// thrown away.

#include <windows.h>

#include <string>

// Sends the GET through a WinInet session (always from the server, never into
// the cache), reads the first line of the reply and drops it. Every failure is
// swallowed. Returns when the request has ended, `deadlineMs` has passed or
// `cancel` (an event, may be null) is signalled, whichever comes first; a late
// request finishes on its own thread.
void SendAnalyticsPing(const std::string& url, unsigned deadlineMs, HANDLE cancel = nullptr);
