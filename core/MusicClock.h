#pragma once

// The now-playing counter and caption of the music player.

#include <string>

namespace core {

// One tick of the counter: a full minute of seconds carries into the minutes,
// 60 minutes wrap to 0, then the elapsed text "mm:ss" is taken and the seconds
// move on by one. A track starts with seconds 1 and minutes 0, so the first
// tick reads "00:01".
std::string AdvanceMusicClock(int& seconds, int& minutes);

// "스텔론 - title - singer(elapsed/duration)".
std::string NowPlayingCaption(const std::string& title, const std::string& singer, const std::string& elapsed,
                              const std::string& duration);

}  // namespace core
