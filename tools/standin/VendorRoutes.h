#pragma once

// The vendor's web server: the counting address, the update and advertising
// documents, the music chart, the humour board with its posts, the connection
// probe and the home page.

namespace httplib {
class Server;
}

namespace standin {

class CountLog;
struct Site;

void AddVendorRoutes(httplib::Server& server, const Site& site, CountLog& counts);

}  // namespace standin
