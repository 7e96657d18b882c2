#include "tools/standin/Options.h"

#include "tools/standin/TextUtil.h"

namespace standin {

Options DefaultOptions()
{
    Options options;
    options.port = 8717;
    options.bindAddress = "127.0.0.1";
    options.contentDir = STANDIN_CONTENT_DIR;
    options.rankKey = STANDIN_RANK_KEY;
    return options;
}

ParsedOptions ParseOptions(const std::vector<std::string>& arguments)
{
    ParsedOptions parsed;
    Options options = DefaultOptions();
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h")
        {
            parsed.help = true;
            return parsed;
        }
        if (name != "--port" && name != "--content" && name != "--data" && name != "--count-log" && name != "--bind")
        {
            parsed.error = "unknown option " + name;
            return parsed;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty())
        {
            parsed.error = name + " needs a value";
            return parsed;
        }
        const std::string& value = arguments[++i];
        if (name == "--port")
        {
            const std::optional<long long> port = ParseCount(value);
            if (!port || *port > 65535)
            {
                parsed.error = "--port wants a number from 0 to 65535, not " + value;
                return parsed;
            }
            options.port = static_cast<int>(*port);
        }
        else if (name == "--content")
        {
            options.contentDir = value;
        }
        else if (name == "--data")
        {
            options.dataDir = value;
        }
        else if (name == "--count-log")
        {
            options.countLog = value;
        }
        else if (value == "127.0.0.1" || value == "localhost")
        {
            options.bindAddress = "127.0.0.1";
        }
        else if (value == "::1")
        {
            options.bindAddress = "::1";
        }
        else
        {
            parsed.error = "--bind accepts only 127.0.0.1, localhost or ::1, not " + value;
            return parsed;
        }
    }
    parsed.options = options;
    return parsed;
}

std::string Usage()
{
    return "usage: stel7_standin [--port N] [--content DIR] [--data DIR] [--count-log FILE] [--bind 127.0.0.1]\n"
           "  --port N          port to listen on (default 8717; 0 picks a free one)\n"
           "  --content DIR     the documents served (default: the content folder of this build)\n"
           "  --data DIR        test documents that /__standin/doc may put in place of a path's answer\n"
           "  --count-log FILE  append every count request as \"<ISO time> <query>\"\n"
           "  --bind ADDRESS    127.0.0.1 (default), localhost or ::1; nothing else is accepted\n";
}

std::string HostPort(const std::string& bindAddress, int port)
{
    const bool ipv6 = bindAddress.find(':') != std::string::npos;
    return (ipv6 ? "[" + bindAddress + "]" : bindAddress) + ":" + std::to_string(port);
}

}  // namespace standin
