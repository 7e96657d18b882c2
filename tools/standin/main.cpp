// stel7_standin: serves every document the programs read on a loopback port,
// so that no test or demo reaches the internet. Stops on SIGTERM or SIGINT.

#include "tools/standin/Options.h"
#include "tools/standin/StandinServer.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <thread>

int main(int argc, char** argv)
{
    const standin::ParsedOptions parsed = standin::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help)
    {
        std::cout << standin::Usage();
        return 0;
    }
    if (!parsed.options)
    {
        std::cerr << "stel7_standin: " << parsed.error << "\n" << standin::Usage();
        return 2;
    }

    // Blocked before any thread starts, so every thread inherits the mask and
    // only the sigwait below takes the stop signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    standin::StandinServer server(*parsed.options);
    std::string error;
    if (!server.Open(error))
    {
        std::cerr << "stel7_standin: " << error << "\n";
        return 1;
    }
    std::cout << "stel7_standin listening on " << standin::HostPort(parsed.options->bindAddress, server.Port())
              << std::endl;

    bool served = true;
    std::thread serving([&] {
        served = server.Run();
        // Serving ended by itself (it failed): wake the wait below.
        kill(getpid(), SIGTERM);
    });
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    serving.join();
    if (!served)
        std::cerr << "stel7_standin: serving failed\n";
    return served ? 0 : 1;
}
