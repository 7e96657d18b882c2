#pragma once

// The vendor's paths that the programs read: the count page, which records a
// count before it answers, and every other path served from the content folder.

#include "server/ContentFolder.h"
#include "server/CountWriter.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace vendor {

inline constexpr const char kCountPath[] = "/app/stel7/analytics/request/count.php";

// The one short line each count is answered with; the programs read it and drop it.
inline constexpr const char kReplyCounted[] = "OK\n";
inline constexpr const char kReplyUnknownWord[] = "UNKNOWN EVENT\n";
inline constexpr const char kReplyWrongKey[] = "WRONG KEY\n";
inline constexpr const char kReplyRefused[] = "BAD COUNT\n";
inline constexpr const char kReplyNotRecorded[] = "NOT RECORDED\n";

class VendorSite
{
public:
    VendorSite(const ContentFolder& content, CountWriter& counts) : content_(content), counts_(counts) {}

    void Answer(const httplib::Request& request, httplib::Response& response) const;

private:
    void AnswerCount(std::string_view rawQuery, httplib::Response& response) const;
    void AnswerFile(std::string_view rawPath, httplib::Response& response) const;

    const ContentFolder& content_;
    CountWriter& counts_;
};

}  // namespace vendor
