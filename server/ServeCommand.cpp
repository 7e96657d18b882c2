#include "server/ServeCommand.h"

#include "server/ContentFolder.h"
#include "server/CountWriter.h"
#include "server/HttpEndpoint.h"
#include "server/ReportSite.h"
#include "server/Storage.h"
#include "server/VendorSite.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iostream>
#include <thread>

namespace vendor {

namespace {

sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

void BlockStopSignals()
{
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    // A reader of the access log that went away must not end the server.
    signal(SIGPIPE, SIG_IGN);
}

int Serve(const ServeOptions& options)
{
    std::string error;
    ContentFolder content;
    if (!content.Open(options.content, error))
    {
        std::cerr << "stel7-server: " << error << std::endl;
        return 1;
    }
    const std::unique_ptr<Storage> storage = OpenStorage(options.database, options.sync, error);
    if (!storage)
    {
        std::cerr << "stel7-server: " << error << std::endl;
        return 1;
    }
    CountWriter counts(*storage);
    const VendorSite site(content, counts);
    const ReportSite report(*storage, options.adminToken);

    HttpEndpoint vendor("site", options.threads);
    vendor.Handle([&site](const httplib::Request& request, httplib::Response& response) {
        site.Answer(request, response);
    });
    HttpEndpoint admin("admin", 8);
    admin.Handle([&report](const httplib::Request& request, httplib::Response& response) {
        report.Answer(request, response);
    });
    if (!vendor.Bind(options.listen, error) || !admin.Bind(options.admin, error))
    {
        std::cerr << "stel7-server: " << error << std::endl;
        return 1;
    }
    std::cout << "stel7-server: serving " << content.Root() << " on " << vendor.Url() << "\n"
              << "stel7-server: report on " << admin.Url() << "/report" << std::endl;

    std::atomic<bool> failed{false};
    const auto run = [&failed](HttpEndpoint& endpoint) {
        return std::thread([&failed, &endpoint] {
            if (!endpoint.Run())
            {
                failed = true;
                kill(getpid(), SIGTERM);  // wakes the wait below
            }
        });
    };
    std::thread vendorThread = run(vendor);
    std::thread adminThread = run(admin);
    const sigset_t signals = StopSignals();
    int received = 0;
    sigwait(&signals, &received);

    // Requests in progress finish first, each waiting for its count's commit;
    // then whatever is still queued is committed.
    vendor.Stop();
    vendorThread.join();
    counts.Stop();
    admin.Stop();
    adminThread.join();
    std::cout << "stel7-server: stopped" << std::endl;
    if (failed)
        std::cerr << "stel7-server: serving failed" << std::endl;
    return failed ? 1 : 0;
}

}  // namespace vendor
