#include "core/PlayerUrl.h"

namespace core {

namespace {

std::string PlayerBase(const std::string& videoHost, const std::string& videoId)
{
    return "http://" + videoHost + "/v/" + videoId + "?version=3&amp;autohide=1;autoplay=1";
}

}  // namespace

std::string PlayerUrl(const std::string& videoHost, const std::string& videoId)
{
    return PlayerBase(videoHost, videoId) + ";showinfo=0";
}

std::string MusicPlayerUrl(const std::string& videoHost, const std::string& videoId)
{
    return PlayerBase(videoHost, videoId);
}

}  // namespace core
