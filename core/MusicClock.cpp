#include "core/MusicClock.h"

#include <cstdio>

namespace core {

std::string AdvanceMusicClock(int& seconds, int& minutes)
{
    if (seconds == 60) {
        seconds = 0;
        ++minutes;
    }
    if (minutes == 60)
        minutes = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minutes, seconds);
    ++seconds;
    return buf;
}

std::string NowPlayingCaption(const std::string& title, const std::string& singer, const std::string& elapsed,
                              const std::string& duration)
{
    return "스텔론 - " + title + " - " + singer + "(" + elapsed + "/" + duration + ")";
}

}  // namespace core
