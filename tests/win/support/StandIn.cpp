#include "tests/win/support/StandIn.h"

#include "BuildConfig.h"
#include "core/TextRules.h"
#include "feeds/net/InternetHandle.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <sstream>

namespace {

// Whether the server answered 200; its answer goes to `answer` when given.
bool Request(const char* method, const std::string& target, const std::string& body = "",
             std::string* answer = nullptr)
{
    const std::string hostPort = STEL7_VENDOR_HOST;
    const size_t colon = hostPort.rfind(':');
    const unsigned long number = colon == std::string::npos ? 0 : std::strtoul(&hostPort[colon + 1], nullptr, 10);
    const INTERNET_PORT port = static_cast<INTERNET_PORT>(number ? number : INTERNET_DEFAULT_HTTP_PORT);
    const InternetHandle session(InternetOpenA("stel7 tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    DWORD timeoutMs = 10000;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(session.Get(), option, &timeoutMs, sizeof timeoutMs);
    const InternetHandle connection(InternetConnectA(session.Get(), hostPort.substr(0, colon).c_str(), port, nullptr,
                                                     nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    // Every control must reach the server: nothing from or into the cache.
    const InternetHandle request(HttpOpenRequestA(connection.Get(), method, target.c_str(), nullptr, nullptr, nullptr,
                                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!request ||
        !HttpSendRequestA(request.Get(), nullptr, 0, const_cast<char*>(body.data()), static_cast<DWORD>(body.size())) ||
        !HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return false;
    char chunk[4096];
    DWORD read = 0;
    while (answer && InternetReadFile(request.Get(), chunk, sizeof chunk, &read) && read > 0)
        answer->append(chunk, read);
    return status == 200;
}

}  // namespace

namespace StandIn {

using core::PercentEncodeUtf8;

std::string Url(const std::string& path)
{
    return std::string("http://") + STEL7_VENDOR_HOST + path;
}

bool Reset()
{
    return Request("GET", "/__standin/reset");
}

bool SetFault(const std::string& path, const std::string& mode, int seconds)
{
    return Request("GET", "/__standin/fault?path=" + PercentEncodeUtf8(path) + "&mode=" + PercentEncodeUtf8(mode) +
                              (seconds > 0 ? "&seconds=" + std::to_string(seconds) : ""));
}

bool ServeFile(const std::string& path, const std::string& name)
{
    return Request("GET", "/__standin/doc?path=" + PercentEncodeUtf8(path) + "&file=" + PercentEncodeUtf8(name));
}

bool SetDocument(const std::string& path, const std::string& body)
{
    return Request("POST", "/__standin/doc?path=" + PercentEncodeUtf8(path), body);
}

bool GoDown(int seconds)
{
    return Request("GET", "/__standin/down?seconds=" + std::to_string(seconds));
}

bool Serve(const std::string& path, const FaultCase& c)
{
    return SetFault(path, *c.fault ? c.fault : "none") &&
           ((*c.fault && c.document.empty()) || SetDocument(path, c.document));
}

std::vector<std::string> Log(const std::string& prefix)
{
    std::string text;
    std::vector<std::string> lines;
    if (!Request("GET", "/__standin/log", "", &text))
        return lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
    {
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line);
    }
    return lines;
}

bool ClearLog()
{
    return Request("GET", "/__standin/clear");
}

}  // namespace StandIn
