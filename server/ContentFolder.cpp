#include "server/ContentFolder.h"

#include "server/CountQuery.h"

#include <sys/stat.h>

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

bool IsPlainFile(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
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

bool ContentFolder::Open(const std::string& root, std::string& error)
{
    const std::optional<std::string> real = RealPath(root);
    if (!real || !IsFolder(*real))
    {
        error = "content folder " + root + " is not a folder";
        return false;
    }
    root_ = *real == "/" ? std::string() : *real;
    return true;
}

ContentFolder::Lookup ContentFolder::Resolve(std::string_view rawPath) const
{
    const std::optional<std::string> relative = SafeRelativePath(rawPath);
    if (!relative)
        return {Outcome::Refused, std::string()};
    std::string candidate = root_ + "/" + *relative;
    if (IsFolder(candidate))
        candidate += (candidate.back() == '/' ? "" : "/") + std::string("index.html");
    // A link the operator left in the folder may point anywhere: what it
    // resolves to must still be inside.
    const std::optional<std::string> real = RealPath(candidate);
    if (!real || real->compare(0, root_.size() + 1, root_ + "/") != 0 || !IsPlainFile(*real))
        return {Outcome::NotFound, std::string()};
    return {Outcome::Found, *real};
}

}  // namespace vendor
