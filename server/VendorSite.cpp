#include "server/VendorSite.h"

#include "server/CountQuery.h"
#include "server/Report.h"
#include "server/Storage.h"

#include <httplib.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace vendor {

namespace {

// Larger files are streamed rather than held whole for each request.
constexpr size_t kWholeFileLimit = 256 * 1024;

// Fills `bytes` from `offset`; false when the file ends first or cannot be read.
bool ReadAt(int fd, size_t offset, std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();)
    {
        const ssize_t read = pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        done += static_cast<size_t>(read);
    }
    return true;
}

void Reply(httplib::Response& response, int status, const char* text)
{
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(text, "text/plain; charset=utf-8");
}

}  // namespace

void VendorSite::Answer(const httplib::Request& request, httplib::Response& response) const
{
    if (request.method != "GET" && request.method != "HEAD")
    {
        Reply(response, 405, "GET only\n");
        response.set_header("Allow", "GET, HEAD");
        return;
    }
    const std::string_view target = request.target;
    const size_t question = target.find('?');
    const std::string_view path = target.substr(0, question);
    if (path == kCountPath)
        AnswerCount(question == std::string_view::npos ? std::string_view() : target.substr(question + 1), response);
    else
        AnswerFile(path, response);
}

void VendorSite::AnswerCount(std::string_view rawQuery, httplib::Response& response) const
{
    const std::optional<CountQuery> query = ParseCountQuery(rawQuery);
    if (!query)
        return Reply(response, 400, kReplyRefused);
    const char* kind = query->kind == CountKind::Event         ? kKindEvent
                       : query->kind == CountKind::UnknownWord ? kKindUnknownWord
                                                               : kKindWrongKey;
    if (!counts_.Record(LocalDay(time(nullptr)), kind, query->word))
        return Reply(response, 503, kReplyNotRecorded);
    Reply(response, 200,
          query->kind == CountKind::Event         ? kReplyCounted
          : query->kind == CountKind::UnknownWord ? kReplyUnknownWord
                                                  : kReplyWrongKey);
}

void VendorSite::AnswerFile(std::string_view rawPath, httplib::Response& response) const
{
    ContentFolder::Lookup lookup = content_.Resolve(rawPath);
    if (lookup.outcome == ContentFolder::Outcome::Refused)
        return Reply(response, 400, "bad path\n");
    if (lookup.outcome == ContentFolder::Outcome::NotFound)
        return Reply(response, 404, "not found\n");
    const auto file = std::make_shared<FileHandle>(std::move(lookup.file));
    struct stat status;
    if (fstat(file->get(), &status) != 0)
        return Reply(response, 500, "unreadable\n");
    const size_t size = static_cast<size_t>(status.st_size);
    std::string head(std::min<size_t>(size, size <= kWholeFileLimit ? size : 512), '\0');
    if (!ReadAt(file->get(), 0, head))
        return Reply(response, 500, "unreadable\n");
    const std::string type = ContentTypeFor(lookup.relativePath, head);
    if (size <= kWholeFileLimit)
        return response.set_content(std::move(head), type.c_str());
    response.set_content_provider(size, type.c_str(),
                                  [file](size_t offset, size_t length, httplib::DataSink& sink) {
                                      std::string chunk(std::min<size_t>(length, 64 * 1024), '\0');
                                      if (!ReadAt(file->get(), offset, chunk))
                                          return false;
                                      sink.write(chunk.data(), chunk.size());
                                      return true;
                                  });
}

}  // namespace vendor
