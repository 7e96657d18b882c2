#include "app/shared/Settings.h"

#include "app/shared/Registry.h"
#include "core/Flag.h"

namespace {

// Longer stored texts read as the default.
constexpr DWORD kLongestSetting = 260;

}  // namespace

std::string ReadSetting(const Setting& setting)
{
    char szText[kLongestSetting] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegConfigKey, setting.pszName, setting.pszDefault, szText, sizeof(szText));
    return szText;
}

bool WriteSetting(const Setting& setting, const std::string& strText)
{
    return WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, setting.pszName, strText.c_str()) == 1;
}

bool IsSettingOn(const Setting& setting)
{
    return core::IsOn(ReadSetting(setting));
}

core::PlayMode ReadPlayMode()
{
    return core::ParsePlayMode(ReadSetting(kSettingMusic));
}
