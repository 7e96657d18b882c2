#pragma once

// The log of the requests the stand-in received, in arrival order, which the
// tests read back to see what the programs asked for.

#include <mutex>
#include <string>
#include <vector>

namespace standin {

// "METHOD /path?query" with path and query exactly as received; without the
// '?' when the query is empty.
std::string LogLine(const std::string& method, const std::string& target);

class RequestLog
{
public:
    void Add(const std::string& method, const std::string& target);
    // Every line, each ended by '\n'.
    std::string Text() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace standin
