#pragma once

// The command line of both commands. Every flag may also be given in a config
// file (--config FILE, lines "name = value" with the flag's name, '#' starts a
// comment); a flag on the command line wins over the file.

#include "server/Storage.h"

#include <optional>
#include <string>
#include <vector>

namespace vendor {

// "ADDR:PORT", "[V6ADDR]:PORT"; port 0 picks a free one.
struct Address
{
    std::string host;
    int port = 0;

    std::string ToString() const;  // as given, brackets around IPv6
    bool IsLoopback() const;
};
std::optional<Address> ParseAddress(const std::string& text);

struct ServeOptions
{
    std::string content;
    Address listen{"0.0.0.0", 8080};
    std::string database = "sqlite:stel7-counts.sqlite3";
    Sync sync = Sync::Full;
    Address admin{"127.0.0.1", 8081};
    std::string adminToken;
    int threads = 64;  // per listening address: a request waiting for its commit holds one
};

struct ReleaseOptions
{
    std::string content;
    std::string role;  // "stel7" or "stel7agent"
    std::string build;
    std::string file;
    std::string url;
    std::string key;        // private key, PEM
    std::string publicKey;  // the public key built into the programs, PEM
};

struct ParsedCommand
{
    enum class Kind
    {
        Help,
        Serve,
        Release,
        Error,
    };
    Kind kind = Kind::Error;
    ServeOptions serve;
    ReleaseOptions release;
    std::string error;
};

// Arguments after the program name.
ParsedCommand ParseCommand(const std::vector<std::string>& args);

std::string Usage();

}  // namespace vendor
