#include "feeds/net/AnalyticsPing.h"

#include "feeds/net/Deadline.h"
#include "feeds/net/InternetHandle.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>

namespace {

constexpr DWORD kContext = 1;
// Longest first line read before the rest is dropped unread.
constexpr DWORD kLongestLine = 64 * 1024;

// WinInet's own limits, set to the deadline. They do not stop a server that
// accepts and never answers (the deadline does); they bound the connection
// attempt and the transfer where the platform honours them.
void SetTimeouts(HINTERNET session, DWORD timeoutMs)
{
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                             INTERNET_OPTION_DATA_RECEIVE_TIMEOUT};
    for (DWORD option : options)
    {
        DWORD value = timeoutMs;
        InternetSetOptionA(session, option, &value, sizeof value);
    }
}

void DropFirstLine(HINTERNET file)
{
    char chunk[512];
    DWORD total = 0;
    while (total < kLongestLine)
    {
        DWORD read = 0;
        if (!InternetReadFile(file, chunk, sizeof chunk, &read) || read == 0)
            return;
        if (std::memchr(chunk, '\n', read))
            return;
        total += read;
    }
}

void PingOnThisThread(const std::string& url, DWORD timeoutMs)
{
    const InternetHandle session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return;
    SetTimeouts(session.Get(), timeoutMs);
    const InternetHandle file(InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0,
                                               INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE, kContext));
    if (file)
        DropFirstLine(file.Get());
}

}  // namespace

void SendAnalyticsPing(const std::string& url, unsigned deadlineMs, HANDLE cancel)
{
    RunWithDeadline([url, deadlineMs] { PingOnThisThread(url, deadlineMs); }, deadlineMs, cancel);
}
