#pragma once

// The command line of stel7_standin.

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Options
{
    int port = 0;             // 0: any free port
    std::string bindAddress;  // 127.0.0.1 or ::1
    std::string contentDir;
    std::string dataDir;      // empty: no test documents
    std::string countLog;     // empty: counts are not written down
    std::string rankKey;      // not on the command line: the build's key
};

// Port 8717 on 127.0.0.1, the content folder and rank key of this build.
Options DefaultOptions();

struct ParsedOptions
{
    std::optional<Options> options;  // nullopt: see error, or help was asked for
    std::string error;
    bool help = false;
};

// `arguments` without the program name. Only loopback addresses may be bound:
// 127.0.0.1, localhost (taken as 127.0.0.1) and ::1.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

std::string Usage();

// "127.0.0.1:8717", or "[::1]:8717" for the IPv6 loopback.
std::string HostPort(const std::string& bindAddress, int port);

}  // namespace standin
