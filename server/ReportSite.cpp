#include "server/ReportSite.h"

#include "server/CountQuery.h"
#include "server/Report.h"

#include <httplib.h>

namespace vendor {

namespace {

// Compares in time that does not depend on where the texts first differ.
bool SameSecret(const std::string& given, const std::string& expected)
{
    unsigned char difference = given.size() == expected.size() ? 0 : 1;
    for (size_t i = 0; i < given.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ expected[i % expected.size()]);
    return difference == 0;
}

std::string QueryValue(std::string_view query, std::string_view name)
{
    while (!query.empty())
    {
        const size_t amp = query.find('&');
        const std::string_view field = query.substr(0, amp);
        if (field.size() > name.size() && field.substr(0, name.size()) == name && field[name.size()] == '=')
            return PercentDecode(field.substr(name.size() + 1)).value_or(std::string());
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    return std::string();
}

}  // namespace

bool ReportSite::Authorized(const httplib::Request& request) const
{
    if (token_.empty())
        return true;
    const std::string header = request.get_header_value("Authorization");
    const std::string bearer = "Bearer ";
    if (header.compare(0, bearer.size(), bearer) == 0)
        return SameSecret(header.substr(bearer.size()), token_);
    const std::string_view target = request.target;
    const size_t question = target.find('?');
    return question != std::string_view::npos && SameSecret(QueryValue(target.substr(question + 1), "token"), token_);
}

void ReportSite::Answer(const httplib::Request& request, httplib::Response& response) const
{
    response.set_header("Cache-Control", "no-store");
    const std::string_view path = std::string_view(request.target).substr(0, request.target.find('?'));
    const bool page = path == "/report" || path == "/";
    if (request.method != "GET" && request.method != "HEAD")
    {
        response.status = 405;
        return response.set_content("GET only\n", "text/plain; charset=utf-8");
    }
    if (!page && path != "/report.json")
    {
        response.status = 404;
        return response.set_content("not found\n", "text/plain; charset=utf-8");
    }
    if (!Authorized(request))
    {
        response.status = 401;
        response.set_header("WWW-Authenticate", "Bearer");
        return response.set_content("token required\n", "text/plain; charset=utf-8");
    }
    const std::vector<std::string> days = LastDays(kReportDays, time(nullptr));
    CountReport report;
    std::string error;
    if (!storage_.Read(days.front(), report, error))
    {
        response.status = 503;
        return response.set_content("counts unavailable: " + error + "\n", "text/plain; charset=utf-8");
    }
    if (!page)
        return response.set_content(ReportJson(report, days), "application/json");
    // The page needs nothing but itself: no script, no request elsewhere.
    response.set_header("Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'");
    response.set_content(ReportHtml(report, days), "text/html; charset=utf-8");
}

}  // namespace vendor
