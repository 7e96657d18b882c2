#pragma once

// The admin address: the report as a page (/report) and as JSON
// (/report.json). With a token set, every request must carry it, as
// "Authorization: Bearer T" or as "?token=T" (so a browser can open the page).

#include "server/Storage.h"

#include <string>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace vendor {

class ReportSite
{
public:
    ReportSite(Storage& storage, std::string token) : storage_(storage), token_(std::move(token)) {}

    void Answer(const httplib::Request& request, httplib::Response& response) const;

private:
    bool Authorized(const httplib::Request& request) const;

    Storage& storage_;
    std::string token_;
};

}  // namespace vendor
