#pragma once

// The test controls under /__standin/: the request log, faults and document
// overrides per path, and a reset. Control requests are never logged and never
// subject to faults or overrides.

namespace httplib {
class Server;
}

namespace standin {

class DocOverrides;
class FaultTable;
class HoldGate;
class RequestLog;
struct Site;

inline constexpr const char kControlPrefix[] = "/__standin/";

struct Controls
{
    RequestLog& log;
    FaultTable& faults;
    DocOverrides& documents;
    HoldGate& gate;
    const Site& site;
};

void AddControlRoutes(httplib::Server& server, Controls controls);

}  // namespace standin
