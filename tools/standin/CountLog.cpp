#include "tools/standin/CountLog.h"

#include <ctime>
#include <fstream>

namespace standin {

bool IsKnownCount(std::string_view rawQuery)
{
    static const char* const events[] = {"execute",     "popup",     "toast",  "menu_search", "menu_vod",
                                         "menu_music",  "menu_best", "search", "boot"};
    for (const char* event : events)
    {
        if (rawQuery == std::string("mode=stel7_") + event + "&key=stel7")
            return true;
    }
    return false;
}

CountLog::CountLog(std::string path) : path_(std::move(path))
{
}

bool CountLog::Append(std::string_view rawQuery)
{
    if (path_.empty())
        return true;
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &parts);

    std::lock_guard<std::mutex> lock(mutex_);
    std::ofstream out(path_, std::ios::app | std::ios::binary);
    out << stamp << ' ' << rawQuery << '\n';
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace standin
