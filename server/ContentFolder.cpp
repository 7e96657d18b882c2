#include "server/ContentFolder.h"

#include "server/CountQuery.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace vendor {

namespace {

std::optional<std::string> RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return std::nullopt;
    return std::string(resolved);
}

// Opens `relative` for reading only if it lies beneath the folder of
// `rootFd`, whatever links it passes through.
FileHandle OpenBeneath(int rootFd, const std::string& relative)
{
    open_how how{};
    how.flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return FileHandle(static_cast<int>(syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how)));
}

std::string AsciiLower(std::string text)
{
    for (char& c : text)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Extension(const std::string& relativePath)
{
    const size_t slash = relativePath.find_last_of('/');
    const size_t dot = relativePath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return AsciiLower(relativePath.substr(dot + 1));
}

// The encoding named by an XML declaration at the start of `text`; "utf-8"
// when there is none or it is not a plain name.
std::string XmlEncoding(std::string_view text)
{
    const std::string_view head = text.substr(0, text.find("?>"));
    if (head.compare(0, 5, "<?xml") != 0)
        return "utf-8";
    const size_t at = head.find("encoding=");
    if (at == std::string_view::npos || at + 10 >= head.size())
        return "utf-8";
    const char quote = head[at + 9];
    const size_t end = head.find(quote, at + 10);
    if ((quote != '"' && quote != '\'') || end == std::string_view::npos)
        return "utf-8";
    const std::string_view name = head.substr(at + 10, end - at - 10);
    if (name.empty() || name.size() > 40)
        return "utf-8";
    for (const char c : name)
    {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return "utf-8";
    }
    return AsciiLower(std::string(name));
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && AsciiLower(std::string(text.substr(0, prefix.size()))) == prefix;
}

}  // namespace

std::optional<std::string> SafeRelativePath(std::string_view rawPath)
{
    if (rawPath.empty() || rawPath[0] != '/' || rawPath.size() > kMaxPathLength)
        return std::nullopt;
    // Decoded once: "%252e" stays the three characters "%2e", a harmless name.
    const std::optional<std::string> decoded = PercentDecode(rawPath.substr(1));
    if (!decoded)
        return std::nullopt;
    for (const char c : *decoded)
    {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '\\')
            return std::nullopt;
    }
    size_t start = 0;
    while (start < decoded->size())
    {
        size_t end = decoded->find('/', start);
        if (end == std::string::npos)
            end = decoded->size();
        const std::string_view segment = std::string_view(*decoded).substr(start, end - start);
        // A trailing slash names a folder; an empty segment elsewhere is "//".
        if ((segment.empty() && end != decoded->size()) || segment == "." || segment == "..")
            return std::nullopt;
        start = end + 1;
    }
    return decoded;
}

std::string ContentTypeFor(const std::string& relativePath, std::string_view firstBytes)
{
    static const struct
    {
        const char* extension;
        const char* type;
    } kTypes[] = {
        {"html", "text/html; charset=utf-8"}, {"htm", "text/html; charset=utf-8"},
        {"txt", "text/plain; charset=utf-8"}, {"css", "text/css; charset=utf-8"},
        {"js", "text/javascript; charset=utf-8"}, {"json", "application/json"},
        {"png", "image/png"}, {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"gif", "image/gif"},
        {"ico", "image/x-icon"}, {"svg", "image/svg+xml"}, {"exe", "application/octet-stream"},
    };
    const std::string extension = Extension(relativePath);
    if (extension == "xml" || extension == "rss" ||
        (extension.empty() && (StartsWith(firstBytes, "<?xml") || StartsWith(firstBytes, "<rss"))))
        return "text/xml; charset=" + XmlEncoding(firstBytes);
    if (extension.empty() && (StartsWith(firstBytes, "<!doctype html") || StartsWith(firstBytes, "<html")))
        return "text/html; charset=utf-8";
    for (const auto& known : kTypes)
    {
        if (extension == known.extension)
            return known.type;
    }
    return "application/octet-stream";
}

FileHandle::~FileHandle()
{
    if (fd_ >= 0)
        close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other)
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool ContentFolder::Open(const std::string& root, std::string& error)
{
    const std::optional<std::string> real = RealPath(root);
    rootFd_ = FileHandle(real ? open(real->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1);
    if (rootFd_.get() < 0)
    {
        error = "content folder " + root + " is not a folder";
        return false;
    }
    if (OpenBeneath(rootFd_.get(), ".").get() < 0 && errno == ENOSYS)
    {
        error = "this kernel cannot open files beneath a folder only (openat2, Linux 5.6 and later)";
        return false;
    }
    root_ = *real;
    return true;
}

ContentFolder::Lookup ContentFolder::Resolve(std::string_view rawPath) const
{
    std::optional<std::string> relative = SafeRelativePath(rawPath);
    if (!relative)
        return {Outcome::Refused, FileHandle(), std::string()};
    FileHandle file = OpenBeneath(rootFd_.get(), relative->empty() ? "." : *relative);
    struct stat status;
    if (file.get() >= 0 && fstat(file.get(), &status) == 0 && S_ISDIR(status.st_mode))
    {
        *relative += (relative->empty() || relative->back() == '/' ? "" : "/") + std::string("index.html");
        file = OpenBeneath(rootFd_.get(), *relative);
    }
    if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {Outcome::NotFound, FileHandle(), std::string()};
    return {Outcome::Found, std::move(file), *relative};
}

}  // namespace vendor
