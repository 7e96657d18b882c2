#include "server/Options.h"

#include <arpa/inet.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

namespace vendor {

namespace {

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Reads "name = value" lines into `values`, leaving names already there alone.
bool ReadConfig(const std::string& path, std::map<std::string, std::string>& values, std::string& error)
{
    std::ifstream in(path);
    if (!in)
    {
        error = "config file " + path + " cannot be read";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
        {
            error = path + ":" + std::to_string(number) + ": expected name = value";
            return false;
        }
        values.emplace(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
    return true;
}

// "--name value" and "--name=value" pairs, then the config file's.
bool CollectFlags(const std::vector<std::string>& args, std::map<std::string, std::string>& values,
                  std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg.compare(0, 2, "--") != 0 || arg.size() == 2)
        {
            error = "unexpected argument " + arg;
            return false;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        std::string value;
        if (eq != std::string::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
        {
            error = "--" + name + " needs a value";
            return false;
        }
        if (!values.emplace(name, value).second)
        {
            error = "--" + name + " given twice";
            return false;
        }
    }
    const auto config = values.find("config");
    return config == values.end() || ReadConfig(config->second, values, error);
}

// Moves the known names into their fields; false naming the first unknown one.
template <typename Fields>
bool Assign(std::map<std::string, std::string>& values, const Fields& fields, std::string& error)
{
    values.erase("config");
    for (const auto& [name, value] : values)
    {
        const auto field = fields.find(name);
        if (field == fields.end())
        {
            error = "unknown option --" + name;
            return false;
        }
        if (!field->second(value))
        {
            error = "--" + name + ": bad value " + value;
            return false;
        }
    }
    return true;
}

bool ParseServe(std::map<std::string, std::string> values, ServeOptions& options, std::string& error)
{
    const auto address = [](Address& target) {
        return [&target](const std::string& value) {
            const std::optional<Address> parsed = ParseAddress(value);
            if (parsed)
                target = *parsed;
            return parsed.has_value();
        };
    };
    const auto text = [](std::string& target) {
        return [&target](const std::string& value) {
            target = value;
            return !value.empty();
        };
    };
    const std::map<std::string, std::function<bool(const std::string&)>> fields = {
        {"content", text(options.content)},
        {"listen", address(options.listen)},
        {"database", text(options.database)},
        {"admin", address(options.admin)},
        {"admin-token", text(options.adminToken)},
        {"sync",
         [&options](const std::string& value) {
             options.sync = value == "full" ? Sync::Full : Sync::Normal;
             return value == "full" || value == "normal";
         }},
        {"threads",
         [&options](const std::string& value) {
             options.threads = std::atoi(value.c_str());
             return value.find_first_not_of("0123456789") == std::string::npos && options.threads >= 1 &&
                    options.threads <= 4096;
         }},
    };
    if (!Assign(values, fields, error))
        return false;
    if (options.content.empty())
        error = "--content is required";
    else if (!options.admin.IsLoopback() && options.adminToken.empty())
        error = "--admin " + options.admin.ToString() + " is not a loopback address: give --admin-token too";
    return error.empty();
}

bool ParseRelease(std::map<std::string, std::string> values, ReleaseOptions& options, std::string& error)
{
    const std::pair<const char*, std::string*> required[] = {
        {"content", &options.content}, {"role", &options.role}, {"build", &options.build},
        {"file", &options.file},       {"url", &options.url},   {"key", &options.key},
        {"public-key", &options.publicKey},
    };
    std::map<std::string, std::function<bool(const std::string&)>> fields;
    for (const auto& [name, target] : required)
    {
        fields[name] = [target = target](const std::string& value) {
            *target = value;
            return !value.empty();
        };
    }
    if (!Assign(values, fields, error))
        return false;
    for (const auto& [name, target] : required)
    {
        if (target->empty())
        {
            error = std::string("--") + name + " is required";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Address::ToString() const
{
    const std::string shown = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return shown + ":" + std::to_string(port);
}

bool Address::IsLoopback() const
{
    in_addr v4;
    if (inet_pton(AF_INET, host.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6;
    return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::optional<Address> ParseAddress(const std::string& text)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size() || colon + 6 < text.size())
        return std::nullopt;
    std::string host = text.substr(0, colon);
    if (host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    const std::string port = text.substr(colon + 1);
    if (port.find_first_not_of("0123456789") != std::string::npos || std::atoi(port.c_str()) > 65535)
        return std::nullopt;
    in_addr v4;
    in6_addr v6;
    if (inet_pton(AF_INET, host.c_str(), &v4) != 1 && inet_pton(AF_INET6, host.c_str(), &v6) != 1)
        return std::nullopt;
    return Address{host, std::atoi(port.c_str())};
}

ParsedCommand ParseCommand(const std::vector<std::string>& args)
{
    ParsedCommand parsed;
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help")
    {
        parsed.kind = args.empty() ? ParsedCommand::Kind::Error : ParsedCommand::Kind::Help;
        parsed.error = "give a command: serve or release";
        return parsed;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest)
    {
        if (arg == "--help" || arg == "-h")
        {
            parsed.kind = ParsedCommand::Kind::Help;
            return parsed;
        }
    }
    std::map<std::string, std::string> values;
    if (args[0] != "serve" && args[0] != "release")
        parsed.error = "unknown command " + args[0];
    else if (CollectFlags(rest, values, parsed.error) && args[0] == "serve" &&
             ParseServe(values, parsed.serve, parsed.error))
        parsed.kind = ParsedCommand::Kind::Serve;
    else if (parsed.error.empty() && args[0] == "release" && ParseRelease(values, parsed.release, parsed.error))
        parsed.kind = ParsedCommand::Kind::Release;
    return parsed;
}

std::string Usage()
{
    return R"(usage:
  stel7-server serve --content DIR [--listen ADDR:PORT] [--database URL] [--sync full|normal]
                     [--admin ADDR:PORT] [--admin-token T] [--threads N] [--config FILE]
      Serves the vendor's paths from DIR (it mirrors the URL paths), records
      every count.php count, and shows the counts at /report and /report.json
      on the admin address.
      --listen       default 0.0.0.0:8080
      --database     sqlite:PATH (default sqlite:stel7-counts.sqlite3) or a
                     postgresql:// connection string shared by several servers
      --sync         full (default): SQLite syncs each commit to the disk before
                     its counts are answered, so they survive a power cut;
                     normal: each commit is handed to the operating system,
                     surviving the server's crash or kill -9 but not the
                     machine's, several times faster where syncs are slow.
                     PostgreSQL follows its own synchronous_commit.
      --admin        default 127.0.0.1:8081; an address that is not loopback
                     needs --admin-token, which the report then asks for
                     (Authorization: Bearer T, or ?token=T)
      --threads      requests served at once per address (default 64)
      Access log: one line per request on standard output. SIGTERM or SIGINT
      stops it; counts already received are committed first.

  stel7-server release --content DIR --role stel7|stel7agent --build N --file F
                       --url URL --key PRIVATE.pem --public-key PUBLIC.pem [--config FILE]
      Publishes an updater: copies F to the path of URL under DIR, signs the
      statement "ROLE N SHA256" with the private key and rewrites
      DIR/app/stel7/update/update.xml, keeping the other program's entries.
      Refuses (exit 1, nothing changed) a build not newer than the published
      one, a file that is not a Windows program, a key that does not match
      PUBLIC.pem, and a URL whose path is not a plain file name under DIR.

  Every flag may come from --config FILE instead: lines "name = value".
)";
}

}  // namespace vendor
