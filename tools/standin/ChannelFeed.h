#pragma once

// The channel upload feed stand-in: an RSS 2.0 document per known channel with
// items made from the channel's subjects and title templates. The programs read
// the item titles and links after the channel's and its image's, and scrape the
// view count, rating count and running time from each item description's HTML
// by fixed markers; BuildChannelFeed writes those markers exactly.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Channel
{
    std::string id;           // as in the feed path
    std::string name;         // the broadcaster or agency, as its viewers know it
    std::string description;
    std::string kind;         // selects the title templates
    std::vector<std::string> subjects;
};

struct ChannelCatalogue
{
    std::vector<Channel> channels;
    // kind -> templates holding {subject}, {n} (an episode number) and {name}
    std::map<std::string, std::vector<std::string>> titleTemplates;
};

// Channels: id, name, description, kind, subjects joined by '|'. Templates:
// kind, template. Every channel's kind must have templates.
std::optional<ChannelCatalogue> LoadChannelCatalogue(const std::string& channelsPath,
                                                     const std::string& templatesPath, std::string& error);

// The channel with exactly this id, or null.
const Channel* FindChannel(const ChannelCatalogue& catalogue, const std::string& id);

// One item per subject and template (subjects vary fastest); numbers, ids and
// dates are drawn from the channel id, so every request gets the same feed.
std::string BuildChannelFeed(const ChannelCatalogue& catalogue, const Channel& channel, const std::string& baseUrl);

}  // namespace standin
