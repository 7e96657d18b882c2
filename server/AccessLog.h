#pragma once

// One line per request on standard output, for the journal or a log file:
//   2024-05-01T21:14:03+0900 site 192.0.2.7 "GET /app/stel7/update/update.xml HTTP/1.1" 200 412
// Each line goes out in one write, so lines from many threads never mix.
// Bytes of the request that could forge a line (controls, quotes, backslashes,
// anything outside ASCII) are written as \xNN.

#include <string>
#include <string_view>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace vendor {

std::string AccessLine(std::string_view endpoint, const httplib::Request& request, const httplib::Response& response);

void LogAccess(std::string_view endpoint, const httplib::Request& request, const httplib::Response& response);

}  // namespace vendor
