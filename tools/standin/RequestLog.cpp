#include "tools/standin/RequestLog.h"

namespace standin {

std::string LogLine(const std::string& method, const std::string& target)
{
    std::string line = method + " " + target;
    if (!line.empty() && line.back() == '?')
        line.pop_back();
    return line;
}

void RequestLog::Add(const std::string& method, const std::string& target)
{
    std::string line = LogLine(method, target);
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(std::move(line));
}

std::string RequestLog::Text() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    return text;
}

void RequestLog::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

}  // namespace standin
