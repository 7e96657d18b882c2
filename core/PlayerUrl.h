#pragma once

// Addresses of the video service's embedded player. The query is written
// exactly as the player has always been asked, "&amp;" entity included.

#include <string>

namespace core {

// Player address for a video row (search results, channel uploads).
std::string PlayerUrl(const std::string& videoHost, const std::string& videoId);

// Player address for a music chart row: the same without ";showinfo=0".
std::string MusicPlayerUrl(const std::string& videoHost, const std::string& videoId);

}  // namespace core
