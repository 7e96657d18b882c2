#pragma once

// The content folder the operator edits: it mirrors the URL paths. A request
// path is decoded and checked segment by segment before it becomes a file
// name, and the kernel then opens it only beneath the folder, links included;
// nothing outside the folder is ever opened.

#include <optional>
#include <string>
#include <string_view>

namespace vendor {

// Longest request path accepted, encoded.
inline constexpr size_t kMaxPathLength = 1024;

// The path relative to the folder ("" for "/"), decoded; nullopt when the path
// could leave the folder or is no plain file name in any spelling: not
// starting with '/', overlong, a broken escape, NUL or other control bytes, a
// backslash, an empty, "." or ".." segment.
std::optional<std::string> SafeRelativePath(std::string_view rawPath);

// Content type by extension; a file without one by its first bytes. XML names
// the encoding its declaration gives, UTF-8 when it gives none.
std::string ContentTypeFor(const std::string& relativePath, std::string_view firstBytes);

// An open file, closed when the handle goes.
class FileHandle
{
public:
    explicit FileHandle(int fd = -1) : fd_(fd) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    int get() const { return fd_; }

private:
    int fd_;
};

class ContentFolder
{
public:
    enum class Outcome
    {
        Found,
        Refused,   // the path is unsafe: 400
        NotFound,  // no such plain file inside the folder (directories included): 404
    };
    struct Lookup
    {
        Outcome outcome;
        FileHandle file;           // open for reading, when found
        std::string relativePath;  // decoded, the name the content type is taken from
    };

    // False with the reason when `root` is no folder, or the kernel cannot
    // keep a lookup beneath it (openat2, Linux 5.6 and later).
    bool Open(const std::string& root, std::string& error);
    const std::string& Root() const { return root_; }

    // "/" and any folder resolve to the folder's index.html, if there is one.
    // The kernel resolves the path beneath the folder: a link that points
    // outside it (or "..", had one slipped through) is not followed.
    Lookup Resolve(std::string_view rawPath) const;

private:
    std::string root_;  // real path
    FileHandle rootFd_;
};

}  // namespace vendor
