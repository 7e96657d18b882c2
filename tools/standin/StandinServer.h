#pragma once

// The local stand-in for every server the programs read: the vendor's web
// server and the outside services, on one loopback address and port, with the
// test controls. Every request but a control is logged, then meets the fault
// and the document override set for its path, then its route.

#include "tools/standin/CountLog.h"
#include "tools/standin/DocOverrides.h"
#include "tools/standin/Faults.h"
#include "tools/standin/HoldGate.h"
#include "tools/standin/Options.h"
#include "tools/standin/RequestLog.h"
#include "tools/standin/ServiceRoutes.h"
#include "tools/standin/Site.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace standin {

class StandinServer
{
public:
    explicit StandinServer(const Options& options);

    StandinServer(const StandinServer&) = delete;
    StandinServer& operator=(const StandinServer&) = delete;

    // Loads the data tables and binds the address; false with the reason (a
    // bad table, the port taken).
    bool Open(std::string& error);

    // After Open: the bound port and "http://127.0.0.1:PORT".
    int Port() const;
    const std::string& BaseUrl() const;

    // Serves until Stop; false when serving failed. Returns at once when Stop
    // came first.
    bool Run();

    // From any thread, also before Run: wakes held requests, ends Run.
    void Stop();

    // Closes the listening socket for `seconds` (connections are refused, as
    // by a server that is down), then listens again on the same port.
    void GoDown(int seconds);

private:
    enum class State
    {
        Idle,
        Running,
        Finished,
    };

    httplib::Server::HandlerResponse BeforeRoute(const httplib::Request& request, httplib::Response& response);
    // Binds the port again after a GoDown; false when it stays taken.
    bool Rebind();

    Options options_;
    Site site_;
    Catalogues catalogues_;
    RequestLog log_;
    CountLog counts_;
    FaultTable faults_;
    DocOverrides documents_;
    HoldGate gate_;
    httplib::Server server_;
    int port_ = 0;

    std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    State state_ = State::Idle;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point downUntil_{};
};

}  // namespace standin
