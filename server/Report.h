#pragma once

// The vendor's report: counts per event word and day for the last 30 days, as
// a chart the server draws (SVG: nothing for the browser to fetch or run) and
// a table, with the all-time totals; and the same figures as JSON.

#include "server/Storage.h"

#include <ctime>
#include <string>
#include <vector>

namespace vendor {

inline constexpr int kReportDays = 30;

// The server's local date of `when`, "YYYY-MM-DD": the day a count is filed under.
std::string LocalDay(time_t when);

// The `count` local dates ending with the one of `now`, oldest first.
std::vector<std::string> LastDays(int count, time_t now);

// `days` as LastDays gives them; rows of other days are left out.
std::string ReportHtml(const CountReport& report, const std::vector<std::string>& days);

// {"totals": {word: n, ...every event word}, "apart": {"unknown_word": n,
// "wrong_key": n}, "days": [{"day": "YYYY-MM-DD", "counts": {word: n, ...}}, ...]}
std::string ReportJson(const CountReport& report, const std::vector<std::string>& days);

}  // namespace vendor
