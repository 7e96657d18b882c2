#include "server/VendorSite.h"

#include "server/CountQuery.h"
#include "server/Report.h"
#include "server/Storage.h"

#include <httplib.h>

#include <fstream>
#include <memory>

namespace vendor {

namespace {

// Larger files are streamed rather than held whole for each request.
constexpr std::streamoff kWholeFileLimit = 256 * 1024;

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
    const ContentFolder::Lookup lookup = content_.Resolve(rawPath);
    if (lookup.outcome == ContentFolder::Outcome::Refused)
        return Reply(response, 400, "bad path\n");
    auto in = std::make_shared<std::ifstream>(lookup.file, std::ios::binary);
    if (lookup.outcome == ContentFolder::Outcome::NotFound || !*in)
        return Reply(response, 404, "not found\n");
    in->seekg(0, std::ios::end);
    const std::streamoff size = in->tellg();
    in->seekg(0);
    if (size < 0 || !*in)
        return Reply(response, 500, "unreadable\n");
    std::string head(static_cast<size_t>(std::min<std::streamoff>(size, 512)), '\0');
    in->read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::string type = ContentTypeFor(lookup.file.substr(content_.Root().size()), head);
    if (!*in)
        return Reply(response, 500, "unreadable\n");
    if (size <= kWholeFileLimit)
    {
        std::string body(static_cast<size_t>(size), '\0');
        std::copy(head.begin(), head.end(), body.begin());
        in->read(body.data() + head.size(), static_cast<std::streamsize>(body.size() - head.size()));
        if (!*in)
            return Reply(response, 500, "unreadable\n");
        return response.set_content(std::move(body), type.c_str());
    }
    in->seekg(0);
    response.set_content_provider(static_cast<size_t>(size), type.c_str(),
                                   [in](size_t offset, size_t length, httplib::DataSink& sink) {
                                       char buffer[64 * 1024];
                                       in->seekg(static_cast<std::streamoff>(offset));
                                       in->read(buffer, static_cast<std::streamsize>(std::min(length, sizeof buffer)));
                                       if (in->gcount() <= 0)
                                           return false;
                                       sink.write(buffer, static_cast<size_t>(in->gcount()));
                                       return true;
                                   });
}

}  // namespace vendor
