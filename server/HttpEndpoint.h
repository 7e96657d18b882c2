#pragma once

// One listening address: an HTTP server with a pool of request threads, an
// access log line per request, bounded reads, and an accept queue deep enough
// for many clients that each open a new connection per request (Debian's
// cpp-httplib listens with a backlog of 5; past it the kernel drops the
// connection attempts and each client waits out a one-second retry).

#include "server/Options.h"

#include <httplib.h>

#include <atomic>
#include <string>

namespace vendor {

class HttpEndpoint
{
public:
    // `name` labels its access log lines; `threads` requests are served at once.
    HttpEndpoint(std::string name, int threads);

    HttpEndpoint(const HttpEndpoint&) = delete;
    HttpEndpoint& operator=(const HttpEndpoint&) = delete;

    // Every request goes to `handler`, whatever its method and path.
    void Handle(httplib::Server::Handler handler);

    // Binds the address; false with the reason (the port taken, say).
    bool Bind(const Address& address, std::string& error);
    int Port() const { return port_; }
    std::string Url() const;  // "http://HOST:PORT"

    // Serves until Stop; requests in progress are finished before it returns.
    bool Run();
    // From any thread, also before Run has started listening.
    void Stop();

private:
    std::string name_;
    httplib::Server server_;
    Address address_;
    int port_ = 0;
    int listening_ = -1;  // the listening socket, as bound
    std::atomic<bool> ended_{false};
};

}  // namespace vendor
