#include "server/HttpEndpoint.h"

#include "server/AccessLog.h"

#include <sys/socket.h>

#include <thread>

namespace vendor {

namespace {

constexpr int kAcceptQueue = 4096;

}  // namespace

HttpEndpoint::HttpEndpoint(std::string name, int threads) : name_(std::move(name))
{
    server_.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
    // The library's default also sets SO_REUSEPORT, which would let a second
    // server bind the same port and silently take half of its requests.
    server_.set_socket_options([this](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening_ = socket;
    });
    server_.set_read_timeout(10);
    server_.set_write_timeout(30);
    server_.set_payload_max_length(64 * 1024);
    server_.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        LogAccess(name_, request, response);
    });
}

void HttpEndpoint::Handle(httplib::Server::Handler handler)
{
    server_.set_pre_routing_handler(
        [handler = std::move(handler)](const httplib::Request& request, httplib::Response& response) {
            handler(request, response);
            return httplib::Server::HandlerResponse::Handled;
        });
}

bool HttpEndpoint::Bind(const Address& address, std::string& error)
{
    address_ = address;
    if (address.port == 0)
        port_ = server_.bind_to_any_port(address.host);
    else
        port_ = server_.bind_to_port(address.host, address.port) ? address.port : -1;
    if (port_ <= 0)
    {
        error = "cannot listen on " + address.ToString() + " (address in use or not this machine's)";
        return false;
    }
    // Linux takes a second listen() on a listening socket as a new backlog.
    listen(listening_, kAcceptQueue);
    return true;
}

std::string HttpEndpoint::Url() const
{
    Address shown = address_;
    shown.port = port_;
    if (shown.host == "0.0.0.0" || shown.host == "::")
        shown.host = shown.host == "::" ? "::1" : "127.0.0.1";
    return "http://" + shown.ToString();
}

bool HttpEndpoint::Run()
{
    const bool served = server_.listen_after_bind();
    ended_ = true;
    return served;
}

void HttpEndpoint::Stop()
{
    // The library ignores a stop that comes before it has started listening.
    while (!server_.is_running() && !ended_)
        std::this_thread::yield();
    server_.stop();
}

}  // namespace vendor
