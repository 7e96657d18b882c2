#include "server/AccessLog.h"

#include <httplib.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace vendor {

namespace {

std::string Printable(std::string_view text)
{
    std::string shown;
    for (const char c : text)
    {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7e || c == '"' || c == '\\')
        {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        }
        else
            shown += c;
    }
    return shown;
}

}  // namespace

std::string AccessLine(std::string_view endpoint, const httplib::Request& request, const httplib::Response& response)
{
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char when[40];
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S%z", &local);
    // The body's size as sent; a streamed file's is its announced length.
    const std::string length = response.body.empty() ? response.get_header_value("Content-Length") : std::string();
    return std::string(when) + " " + std::string(endpoint) + " " + Printable(request.remote_addr) + " \"" +
           Printable(request.method) + " " + Printable(request.target) + " " + Printable(request.version) + "\" " +
           std::to_string(response.status) + " " +
           (length.empty() ? std::to_string(response.body.size()) : length) + "\n";
}

void LogAccess(std::string_view endpoint, const httplib::Request& request, const httplib::Response& response)
{
    const std::string line = AccessLine(endpoint, request, response);
    // A closed standard output loses the line, never the request (SIGPIPE is ignored).
    [[maybe_unused]] const ssize_t written = write(STDOUT_FILENO, line.data(), line.size());
}

}  // namespace vendor
