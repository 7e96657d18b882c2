#include "server/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vendor {

namespace {

bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    struct stat status;
    if (stat(folder.c_str(), &status) == 0)
        return S_ISDIR(status.st_mode);
    const size_t slash = folder.find_last_of('/');
    return (slash == std::string::npos || MakeFolders(folder.substr(0, slash))) &&
           (mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST);
}

bool WriteAll(int fd, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();)
    {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    if (!MakeFolders(folder))
    {
        error = "cannot make the folder " + folder;
        return false;
    }
    std::string temporary = path + ".tmp-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
    {
        error = "cannot write beside " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = fchmod(fd, 0644) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    const int saved = errno;
    close(fd);
    if (!written || rename(temporary.c_str(), path.c_str()) != 0)
    {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : saved);
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself is durable once the folder is synced.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0)
    {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

bool ReadFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace vendor
