#include "feeds/net/ConnectionProbe.h"

#include "feeds/net/Deadline.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>

bool ProbeConnection(const std::string& url, unsigned deadlineMs)
{
    // Shared with the probe thread, which may outlive the call.
    const auto connected = std::make_shared<std::atomic<bool>>(false);
    const bool finished = RunWithDeadline(
        [connected, url] {
            connected->store(InternetCheckConnectionA(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) == TRUE);
        },
        deadlineMs);
    return finished && connected->load();
}
