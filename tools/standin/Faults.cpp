#include "tools/standin/Faults.h"

#include <httplib.h>

namespace standin {

std::optional<FaultMode> ParseFaultMode(std::string_view word)
{
    static const std::pair<const char*, FaultMode> words[] = {
        {"none", FaultMode::None},         {"html", FaultMode::Html}, {"malformed", FaultMode::Malformed},
        {"empty", FaultMode::Empty},       {"404", FaultMode::NotFound}, {"hang", FaultMode::Hang},
        {"slow", FaultMode::Slow},         {"close", FaultMode::Close},
        {"trickle", FaultMode::Trickle},   {"stall", FaultMode::Stall},
        {"short", FaultMode::Short},       {"nolength", FaultMode::NoLength},
        {"endless", FaultMode::Endless},
    };
    for (const auto& [text, mode] : words)
    {
        if (word == text)
            return mode;
    }
    return std::nullopt;
}

bool FillFaultAnswer(FaultMode mode, httplib::Response& response)
{
    switch (mode)
    {
    case FaultMode::Html:
        // What a web server's own error page looks like when the script behind
        // the document fails: status 200, HTML, no XML.
        response.status = 200;
        response.set_content("<html><head><title>Service Temporarily Unavailable</title></head>\n"
                             "<body><h1>Service Temporarily Unavailable</h1>\n"
                             "<p>The server is temporarily unable to service your request.</p></body></html>\n",
                             "text/html; charset=utf-8");
        return true;
    case FaultMode::Malformed:
        // A document cut off in the middle of an element, as a broken upload leaves it.
        response.status = 200;
        response.set_content("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>"
                             "<title>stand-in</title><item><title>cut off<link>",
                             "text/xml; charset=utf-8");
        return true;
    case FaultMode::Empty:
        response.status = 200;
        response.set_content("", "text/xml; charset=utf-8");
        return true;
    case FaultMode::NotFound:
        response.status = 404;
        response.set_content("<html><head><title>404 Not Found</title></head>\n"
                             "<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p>"
                             "</body></html>\n",
                             "text/html; charset=utf-8");
        return true;
    case FaultMode::None:
    case FaultMode::Hang:
    case FaultMode::Slow:
    case FaultMode::Close:
    case FaultMode::Trickle:
    case FaultMode::Stall:
    case FaultMode::Short:
    case FaultMode::NoLength:
    case FaultMode::Endless:
        break;
    }
    return false;
}

void FaultTable::Set(const std::string& path, Fault fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (fault.mode == FaultMode::None)
        faults_.erase(path);
    else
        faults_[path] = fault;
}

Fault FaultTable::Find(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = faults_.find(path);
    return found == faults_.end() ? Fault() : found->second;
}

void FaultTable::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

}  // namespace standin
