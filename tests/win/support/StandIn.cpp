#include "tests/win/support/StandIn.h"

#include "BuildConfig.h"
#include "core/TextRules.h"
#include "feeds/InternetHandle.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>

namespace {

constexpr DWORD kTimeoutMs = 10000;
// Every control must reach the server: nothing from or into the cache.
constexpr DWORD kUncached = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

struct Reply
{
    bool answered = false;
    DWORD status = 0;
    std::string body;
};


HINTERNET OpenSession()
{
    HINTERNET session = InternetOpenA("stel7 tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session)
        return nullptr;
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT};
    for (DWORD option : options)
    {
        DWORD value = kTimeoutMs;
        InternetSetOptionA(session, option, &value, sizeof value);
    }
    return session;
}

Reply ReadReply(HINTERNET request)
{
    Reply reply;
    DWORD size = sizeof reply.status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &reply.status, &size, nullptr))
        return reply;
    char chunk[4096];
    DWORD read = 0;
    while (InternetReadFile(request, chunk, sizeof chunk, &read) && read > 0)
        reply.body.append(chunk, read);
    reply.answered = true;
    return reply;
}

Reply Get(const std::string& target)
{
    const InternetHandle session(OpenSession());
    if (!session)
        return Reply();
    const InternetHandle request(
        InternetOpenUrlA(session.Get(), StandIn::Url(target).c_str(), nullptr, 0, kUncached, 0));
    return request ? ReadReply(request.Get()) : Reply();
}

Reply Post(const std::string& target, const std::string& body)
{
    const std::string hostPort = STEL7_VENDOR_HOST;
    const size_t colon = hostPort.rfind(':');
    const std::string host = hostPort.substr(0, colon);
    const unsigned long number =
        colon == std::string::npos ? 0 : std::strtoul(hostPort.c_str() + colon + 1, nullptr, 10);
    const INTERNET_PORT port = number == 0 ? INTERNET_DEFAULT_HTTP_PORT : static_cast<INTERNET_PORT>(number);
    const InternetHandle session(OpenSession());
    if (!session)
        return Reply();
    const InternetHandle connection(
        InternetConnectA(session.Get(), host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return Reply();
    const InternetHandle request(
        HttpOpenRequestA(connection.Get(), "POST", target.c_str(), nullptr, nullptr, nullptr, kUncached, 0));
    if (!request ||
        !HttpSendRequestA(request.Get(), nullptr, 0, const_cast<char*>(body.data()), static_cast<DWORD>(body.size())))
        return Reply();
    return ReadReply(request.Get());
}

bool Accepted(const Reply& reply)
{
    return reply.answered && reply.status == 200;
}

}  // namespace

namespace StandIn {

std::string Url(const std::string& path)
{
    return std::string("http://") + STEL7_VENDOR_HOST + path;
}

bool Reset()
{
    return Accepted(Get("/__standin/reset"));
}

bool SetFault(const std::string& path, const std::string& mode, int seconds)
{
    std::string target = "/__standin/fault?path=" + core::PercentEncodeUtf8(path) + "&mode=" + core::PercentEncodeUtf8(mode);
    if (seconds > 0)
        target += "&seconds=" + std::to_string(seconds);
    return Accepted(Get(target));
}

bool ServeFile(const std::string& path, const std::string& name)
{
    return Accepted(Get("/__standin/doc?path=" + core::PercentEncodeUtf8(path) + "&file=" + core::PercentEncodeUtf8(name)));
}

bool SetDocument(const std::string& path, const std::string& body)
{
    return Accepted(Post("/__standin/doc?path=" + core::PercentEncodeUtf8(path), body));
}

std::vector<std::string> Log()
{
    const Reply reply = Get("/__standin/log");
    std::vector<std::string> lines;
    if (!Accepted(reply))
        return lines;
    size_t start = 0;
    while (start < reply.body.size())
    {
        size_t end = reply.body.find('\n', start);
        if (end == std::string::npos)
            end = reply.body.size();
        lines.push_back(reply.body.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool ClearLog()
{
    return Accepted(Get("/__standin/clear"));
}

}  // namespace StandIn
