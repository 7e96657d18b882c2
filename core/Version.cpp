#include "core/Version.h"

#include "core/TextRules.h"

namespace core {

namespace {

constexpr size_t kMostBuildDigits = 9;

}  // namespace

std::optional<int> AnnouncedBuild(const std::string& text)
{
    if (text.empty() || text.size() > kMostBuildDigits || (text[0] == '0' && text.size() > 1))
        return std::nullopt;
    int build = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        build = build * 10 + (c - '0');
    }
    return build;
}

bool IsNewerBuild(const std::string& installed, const std::string& announced)
{
    const std::optional<int> build = AnnouncedBuild(announced);
    return build && LeadingInt(installed) < *build;
}

}  // namespace core
