#pragma once

// The outside services, served by the same host and port: the video search, the
// micro-blog search, the channel upload feeds, the portal's search-rank API and
// the embedded player page.

#include "tools/standin/ChannelFeed.h"
#include "tools/standin/TweetFeed.h"
#include "tools/standin/VideoFeed.h"

#include <string>
#include <vector>

namespace httplib {
class Server;
}

namespace standin {

struct Site;

struct Catalogues
{
    std::vector<CatalogueVideo> videos;
    std::vector<TweetTemplate> tweets;
    ChannelCatalogue channels;
};

// Reads the tables under the content folder's "data"; false with the reason.
bool LoadCatalogues(const std::string& contentDir, Catalogues& catalogues, std::string& error);

void AddServiceRoutes(httplib::Server& server, const Site& site, const Catalogues& catalogues);

}  // namespace standin
