#pragma once

// The user's three settings under HKCU\Software\stel7\config: each value's
// name and default, in this one place. Both programs read them here; only the
// settings dialog writes them.

#include <string>

#include "core/PlayMode.h"

struct Setting {
    const char* pszName;
    const char* pszDefault;
};

// "true": the boot agent starts stel7 at logon.
inline constexpr Setting kSettingRun = {"run", "true"};
// "true": the video window stays above other windows.
inline constexpr Setting kSettingTopmost = {"topmost", "false"};
// What plays when a track ends: "none", "loop", "continuity" or "random".
inline constexpr Setting kSettingMusic = {"music", "none"};

// The stored text; the default when the value is missing, unreadable or too long.
std::string ReadSetting(const Setting& setting);
// True when the text was stored.
bool WriteSetting(const Setting& setting, const std::string& strText);

// Typed readings: only exactly "true" is on.
bool IsSettingOn(const Setting& setting);
core::PlayMode ReadPlayMode();
