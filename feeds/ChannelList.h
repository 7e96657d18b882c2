#pragma once

// The eleven channels of the channel videos section, in tab order.

struct ChannelTab {
    const char* pszLabel;
    const char* pszId;
};

inline constexpr ChannelTab kChannels[] = {
    {"MBC", "MBCentertainment"},
    {"SBS", "entertainmentSBS"},
    {"tvN", "TheChtvn"},
    {"Mnet", "Mnet"},
    {"JTBC", "JTBCentertainment"},
    {"MBN", "mbn"},
    {"채널A", "mainchannela"},
    {"온게임넷", "TVOngamenet"},
    {"SM Entertainment", "SMTOWN"},
    {"YG Entertainment", "YGEntertainment"},
    {"JYP Entertainment", "jypentertainment"},
};

inline constexpr int kChannelCount = static_cast<int>(sizeof(kChannels) / sizeof(kChannels[0]));
