#include "tools/standin/DropConnection.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <string>

namespace standin {

namespace {

struct Endpoint
{
    std::string address;
    int port = -1;
};

Endpoint EndpointOf(const sockaddr_storage& storage)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (storage.ss_family == AF_INET)
    {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(storage);
        if (inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text))
            return {text, ntohs(v4.sin_port)};
    }
    else if (storage.ss_family == AF_INET6)
    {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(storage);
        if (inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text))
            return {text, ntohs(v6.sin6_port)};
    }
    return {};
}

bool HasEndpoints(int fd, const httplib::Request& request)
{
    sockaddr_storage local{};
    sockaddr_storage peer{};
    socklen_t localSize = sizeof local;
    socklen_t peerSize = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0 ||
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0)
        return false;
    const Endpoint mine = EndpointOf(local);
    const Endpoint theirs = EndpointOf(peer);
    return mine.port == request.local_port && theirs.port == request.remote_port &&
           mine.address == request.local_addr && theirs.address == request.remote_addr;
}

}  // namespace

bool DropConnection(const httplib::Request& request)
{
    DIR* descriptors = opendir("/proc/self/fd");
    if (!descriptors)
        return false;
    const int listing = dirfd(descriptors);
    bool dropped = false;
    while (const dirent* entry = readdir(descriptors))
    {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == listing)
            continue;
        if (HasEndpoints(static_cast<int>(fd), request))
        {
            dropped = shutdown(static_cast<int>(fd), SHUT_RDWR) == 0;
            break;
        }
    }
    closedir(descriptors);
    return dropped;
}

}  // namespace standin
