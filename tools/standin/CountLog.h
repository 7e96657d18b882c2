#pragma once

// The usage counts the programs send to the vendor's counting address, appended
// to a file as "<ISO time> <query>" so a test or a demo can follow them.

#include <mutex>
#include <string>
#include <string_view>

namespace standin {

// Whether a raw query is exactly a count the programs send:
// "mode=stel7_" + a known event word + "&key=stel7".
bool IsKnownCount(std::string_view rawQuery);

class CountLog
{
public:
    // An empty path keeps no file.
    explicit CountLog(std::string path);

    // Appends one line stamped with the current UTC time; false when the file
    // cannot be written. The file is opened per line so it may be truncated
    // from outside between requests.
    bool Append(std::string_view rawQuery);

private:
    std::mutex mutex_;
    const std::string path_;
};

}  // namespace standin
