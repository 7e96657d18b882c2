#include "tools/standin/StandinServer.h"

#include "tools/standin/BodyFaults.h"
#include "tools/standin/ControlRoutes.h"
#include "tools/standin/DropConnection.h"
#include "tools/standin/TextUtil.h"
#include "tools/standin/VendorRoutes.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <thread>

namespace standin {

namespace {

// Enough workers that requests held by hang faults never starve the others.
constexpr size_t kWorkers = 64;
constexpr size_t kLargestBody = 64 * 1024 * 1024;

// Only SO_REUSEADDR: the library's default also sets SO_REUSEPORT, which would
// let a second server share a taken port instead of failing.
void LoopbackSocketOptions(socket_t sock)
{
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

// Ends the exchange without an answer. Should the socket not be found, a 500
// says so, rather than an empty answer passing for the fault.
void Drop(const httplib::Request& request, httplib::Response& response)
{
    if (DropConnection(request))
        return;
    response.status = 500;
    response.set_content("stel7_standin could not drop the connection\n", "text/plain; charset=utf-8");
}

}  // namespace

StandinServer::StandinServer(const Options& options) : options_(options), counts_(options.countLog)
{
    // A client that goes away mid-answer, or a dropped connection, makes the
    // library write to a closed socket; that must fail the write, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    site_.contentDir = options.contentDir;
    site_.dataDir = options.dataDir;
    site_.rankKey = options.rankKey;
}

bool StandinServer::Open(std::string& error)
{
    if (!LoadCatalogues(site_.contentDir, catalogues_, error))
        return false;

    server_.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    server_.set_socket_options(LoopbackSocketOptions);
    // One request per connection: a fault then concerns exactly one exchange,
    // and no idle connection delays the stop.
    server_.set_keep_alive_max_count(1);
    server_.set_payload_max_length(kLargestBody);
    server_.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) { return BeforeRoute(request, response); });
    server_.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content("<html><head><title>" + std::to_string(response.status) + "</title></head><body><h1>" +
                                     std::to_string(response.status) + "</h1></body></html>\n",
                                 "text/html; charset=utf-8");
    });

    AddControlRoutes(server_, Controls{log_, faults_, documents_, gate_, site_});
    // The server down for a while: /__standin/down?seconds=N (1 to 60).
    server_.Get(std::string(kControlPrefix) + "down", [this](const httplib::Request& request, httplib::Response& response) {
        const int seconds = std::atoi(QueryValue(RawQuery(request.target), "seconds").value_or("0").c_str());
        if (seconds < 1 || seconds > 60)
        {
            response.status = 400;
            response.set_content("ERROR seconds wants 1 to 60\n", "text/plain; charset=utf-8");
            return;
        }
        response.set_content("OK\n", "text/plain; charset=utf-8");
        GoDown(seconds);
    });
    AddVendorRoutes(server_, site_, counts_);
    AddServiceRoutes(server_, site_, catalogues_);

    errno = 0;
    if (options_.port == 0)
    {
        port_ = server_.bind_to_any_port(options_.bindAddress);
    }
    else if (server_.bind_to_port(options_.bindAddress, options_.port))
    {
        port_ = options_.port;
    }
    else
    {
        port_ = -1;
    }
    if (port_ <= 0)
    {
        error = "cannot listen on " + HostPort(options_.bindAddress, options_.port) +
                (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
        return false;
    }
    site_.baseUrl = "http://" + HostPort(options_.bindAddress, port_);
    return true;
}

int StandinServer::Port() const
{
    return port_;
}

const std::string& StandinServer::BaseUrl() const
{
    return site_.baseUrl;
}

bool StandinServer::Run()
{
    for (;;)
    {
        {
            std::lock_guard<std::mutex> lock(stateMutex_);
            if (stopping_)
                return true;
            state_ = State::Running;
        }
        const bool served = server_.listen_after_bind();
        std::unique_lock<std::mutex> lock(stateMutex_);
        state_ = State::Finished;
        if (stopping_ || downUntil_ == std::chrono::steady_clock::time_point{})
            return served;
        stateChanged_.wait_until(lock, downUntil_, [this] { return stopping_; });
        downUntil_ = {};
        if (stopping_)
            return true;
        lock.unlock();
        if (!Rebind())
            return false;
    }
}

void StandinServer::GoDown(int seconds)
{
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        if (stopping_ || state_ != State::Running)
            return;
        downUntil_ = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    }
    server_.stop();
}

bool StandinServer::Rebind()
{
    // The connections of before linger in TIME_WAIT; with SO_REUSEADDR only a
    // listener still holding the port would keep it taken.
    for (int attempt = 0; attempt < 150; ++attempt)
    {
        if (server_.bind_to_port(options_.bindAddress, port_))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

void StandinServer::Stop()
{
    gate_.Close();
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        stopping_ = true;
        stateChanged_.notify_all();
        if (state_ != State::Running)
            return;
    }
    // The library's stop does nothing until its loop has started, so wait for
    // that (or for the loop to have failed) before asking.
    for (;;)
    {
        if (server_.is_running())
        {
            server_.stop();
            return;
        }
        {
            std::lock_guard<std::mutex> lock(stateMutex_);
            if (state_ == State::Finished)
                return;
        }
        std::this_thread::yield();
    }
}

httplib::Server::HandlerResponse StandinServer::BeforeRoute(const httplib::Request& request,
                                                            httplib::Response& response)
{
    using Handled = httplib::Server::HandlerResponse;
    if (request.path.rfind(kControlPrefix, 0) == 0)
        return Handled::Unhandled;
    log_.Add(request.method, request.target);

    const Fault fault = faults_.Find(request.path);
    if (FillFaultAnswer(fault.mode, response))
        return Handled::Handled;
    switch (fault.mode)
    {
    case FaultMode::Hang:
        gate_.Hold(kLongestHold);
        Drop(request, response);
        return Handled::Handled;
    case FaultMode::Close:
        Drop(request, response);
        return Handled::Handled;
    case FaultMode::Slow:
        if (gate_.Hold(std::chrono::seconds(fault.seconds)))
        {
            Drop(request, response);
            return Handled::Handled;
        }
        break;
    default:
        break;
    }

    std::optional<Document> document = documents_.Find(request.path);
    if (IsBodyFault(fault.mode))
    {
        if (document)
        {
            AnswerWithBodyFault(fault, std::move(*document), gate_, response);
        }
        else
        {
            response.status = 500;
            response.set_content("stel7_standin: a body fault needs a replacement document for its path\n",
                                 "text/plain; charset=utf-8");
        }
        return Handled::Handled;
    }
    if (document)
    {
        response.set_content(document->body, document->contentType);
        return Handled::Handled;
    }
    return Handled::Unhandled;
}

}  // namespace standin
