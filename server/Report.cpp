#include "server/Report.h"

#include "server/CountQuery.h"
#include "server/Markup.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace vendor {

namespace {

// One colour per event word, in kEventWords' order.
const char* const kColours[kEventWordCount] = {
    "#4e79a7", "#f28e2b", "#e15759", "#76b7b2", "#59a14f", "#edc948", "#b07aa1", "#ff9da7", "#9c755f",
};

const char* const kApartKinds[] = {kKindUnknownWord, kKindWrongKey};

struct Figures
{
    // day -> word -> count, for the event words of the days shown
    std::map<std::string, std::map<std::string, int64_t>> byDay;
    // day -> kind -> count, for the kinds counted apart
    std::map<std::string, std::map<std::string, int64_t>> apartByDay;
};

Figures Collect(const CountReport& report)
{
    Figures figures;
    for (const CountRow& row : report.days)
    {
        if (row.kind == kKindEvent)
            figures.byDay[row.day][row.word] += row.count;
        else
            figures.apartByDay[row.day][row.kind] += row.count;
    }
    return figures;
}

int64_t Lookup(const std::map<std::string, std::map<std::string, int64_t>>& table, const std::string& outer,
               const std::string& inner)
{
    const auto row = table.find(outer);
    if (row == table.end())
        return 0;
    const auto cell = row->second.find(inner);
    return cell == row->second.end() ? 0 : cell->second;
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The smallest of 1, 2, 5 times a power of ten at or above `value`.
int64_t NiceCeiling(int64_t value)
{
    int64_t step = 1;
    for (;;)
    {
        for (const int64_t factor : {1, 2, 5})
        {
            if (step * factor >= value)
                return step * factor;
        }
        step *= 10;
    }
}

std::string Chart(const Figures& figures, const std::vector<std::string>& days)
{
    const double width = 960, height = 340, left = 56, right = 12, top = 12, bottom = 40;
    const double plotWidth = width - left - right, plotHeight = height - top - bottom;
    int64_t highest = 0;
    for (const std::string& day : days)
    {
        int64_t sum = 0;
        for (const char* word : kEventWords)
            sum += Lookup(figures.byDay, day, word);
        highest = std::max(highest, sum);
    }
    const int64_t scaleTop = NiceCeiling(std::max<int64_t>(highest, 4));
    const double perCount = plotHeight / static_cast<double>(scaleTop);

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"chart\" width=\"" + Format("%.0f", width) +
                      "\" height=\"" + Format("%.0f", height) + "\" role=\"img\" data-per-count=\"" +
                      Format("%.6f", perCount) + "\">\n";
    for (int tick = 0; tick <= 4; ++tick)
    {
        const double y = top + plotHeight - plotHeight * tick / 4;
        svg += "<line x1=\"" + Format("%.0f", left) + "\" x2=\"" + Format("%.0f", width - right) + "\" y1=\"" +
               Format("%.1f", y) + "\" y2=\"" + Format("%.1f", y) + "\" stroke=\"#ddd\"/>";
        svg += "<text x=\"" + Format("%.0f", left - 6) + "\" y=\"" + Format("%.1f", y + 4) +
               "\" text-anchor=\"end\">" + std::to_string(scaleTop * tick / 4) + "</text>\n";
    }
    const double slot = plotWidth / static_cast<double>(days.size());
    for (size_t i = 0; i < days.size(); ++i)
    {
        const double x = left + slot * static_cast<double>(i) + slot * 0.15;
        double base = top + plotHeight;
        for (size_t w = 0; w < kEventWordCount; ++w)
        {
            const int64_t count = Lookup(figures.byDay, days[i], kEventWords[w]);
            if (count == 0)
                continue;
            const double barHeight = perCount * static_cast<double>(count);
            base -= barHeight;
            svg += "<rect class=\"bar\" data-day=\"" + days[i] + "\" data-event=\"" + kEventWords[w] +
                   "\" data-count=\"" + std::to_string(count) + "\" x=\"" + Format("%.2f", x) + "\" y=\"" +
                   Format("%.3f", base) + "\" width=\"" + Format("%.2f", slot * 0.7) + "\" height=\"" +
                   Format("%.3f", barHeight) + "\" fill=\"" + kColours[w] + "\"><title>" + days[i] + " " +
                   kEventWords[w] + ": " + std::to_string(count) + "</title></rect>";
        }
        if (i % 5 == 0 || i + 1 == days.size())
        {
            svg += "<text x=\"" + Format("%.2f", x + slot * 0.35) + "\" y=\"" + Format("%.0f", height - bottom + 18) +
                   "\" text-anchor=\"middle\">" + days[i].substr(5) + "</text>";
        }
        svg += "\n";
    }
    return svg + "</svg>\n";
}

}  // namespace

std::string LocalDay(time_t when)
{
    tm local{};
    localtime_r(&when, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::vector<std::string> LastDays(int count, time_t now)
{
    tm local{};
    localtime_r(&now, &local);
    std::vector<std::string> days;
    for (int back = count - 1; back >= 0; --back)
    {
        // Noon, so that a daylight-saving change cannot move the date.
        tm day = local;
        day.tm_mday -= back;
        day.tm_hour = 12;
        day.tm_min = day.tm_sec = 0;
        day.tm_isdst = -1;
        days.push_back(LocalDay(mktime(&day)));
    }
    return days;
}

std::string ReportHtml(const CountReport& report, const std::vector<std::string>& days)
{
    const Figures figures = Collect(report);
    std::string html = R"(<!DOCTYPE html>
<html lang="ko"><head><meta charset="utf-8"><title>스텔론 사용 통계</title>
<style>
body{font-family:"NanumGothic",sans-serif;margin:24px;color:#222}
table{border-collapse:collapse;margin:12px 0}
th,td{border:1px solid #ccc;padding:3px 8px;text-align:right;white-space:nowrap}
th:first-child,td:first-child{text-align:left}
#chart text{font-size:11px;fill:#555}
.legend span{display:inline-block;margin-right:14px}
.legend i{display:inline-block;width:12px;height:12px;margin-right:4px;vertical-align:middle}
</style></head><body>
<h1>스텔론 사용 통계</h1>
)";
    html += "<p>최근 " + std::to_string(days.size()) + "일 (" + days.front() + " ~ " + days.back() +
            ", 서버 시각 기준)</p>\n<div class=\"legend\">";
    for (size_t w = 0; w < kEventWordCount; ++w)
        html += std::string("<span><i style=\"background:") + kColours[w] + "\"></i>" + kEventWords[w] + "</span>";
    html += "</div>\n" + Chart(figures, days);

    html += "<h2>전체 합계</h2>\n<table id=\"totals\"><tr><th>이벤트</th><th>횟수</th></tr>\n";
    int64_t all = 0;
    for (const char* word : kEventWords)
    {
        const int64_t count = Lookup(report.totals, kKindEvent, word);
        all += count;
        html += std::string("<tr><td>") + word + "</td><td>" + std::to_string(count) + "</td></tr>\n";
    }
    html += "<tr><th>합계</th><th>" + std::to_string(all) + "</th></tr>\n";
    html += "<tr><td>알 수 없는 이벤트 (따로 셈)</td><td>" +
            std::to_string(Lookup(report.totals, kKindUnknownWord, "")) + "</td></tr>\n";
    html += "<tr><td>잘못된 키 (따로 셈)</td><td>" + std::to_string(Lookup(report.totals, kKindWrongKey, "")) +
            "</td></tr>\n</table>\n";

    html += "<h2>날짜별</h2>\n<table id=\"days\"><tr><th>날짜</th>";
    for (const char* word : kEventWords)
        html += std::string("<th>") + word + "</th>";
    html += "<th>합계</th><th>알 수 없는 이벤트</th><th>잘못된 키</th></tr>\n";
    for (auto day = days.rbegin(); day != days.rend(); ++day)
    {
        html += "<tr><td>" + XmlEscape(*day) + "</td>";
        int64_t sum = 0;
        for (const char* word : kEventWords)
        {
            const int64_t count = Lookup(figures.byDay, *day, word);
            sum += count;
            html += "<td>" + std::to_string(count) + "</td>";
        }
        html += "<td>" + std::to_string(sum) + "</td>";
        for (const char* kind : kApartKinds)
            html += "<td>" + std::to_string(Lookup(figures.apartByDay, *day, kind)) + "</td>";
        html += "</tr>\n";
    }
    return html + "</table>\n</body></html>\n";
}

std::string ReportJson(const CountReport& report, const std::vector<std::string>& days)
{
    const Figures figures = Collect(report);
    const auto object = [](const auto& names, const auto& value) {
        std::string json = "{";
        for (const char* name : names)
            json += std::string(json.size() > 1 ? ", \"" : "\"") + name + "\": " + std::to_string(value(name));
        return json + "}";
    };
    std::string json = "{\"totals\": " +
                       object(kEventWords, [&](const char* word) { return Lookup(report.totals, kKindEvent, word); });
    json += ", \"apart\": " + object(kApartKinds, [&](const char* kind) { return Lookup(report.totals, kind, ""); });
    json += ", \"days\": [";
    for (size_t i = 0; i < days.size(); ++i)
    {
        json += std::string(i ? ", " : "") + "{\"day\": \"" + days[i] + "\", \"counts\": " +
                object(kEventWords, [&](const char* word) { return Lookup(figures.byDay, days[i], word); }) + "}";
    }
    return json + "]}\n";
}

}  // namespace vendor
