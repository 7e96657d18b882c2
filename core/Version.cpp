#include "core/Version.h"

#include "core/TextRules.h"

#include <climits>

namespace core {

std::optional<int> AnnouncedBuild(const std::string& text)
{
    if (text.empty() || (text[0] == '0' && text.size() > 1))
        return std::nullopt;
    long long build = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        build = build * 10 + (c - '0');
        if (build > INT_MAX)
            return std::nullopt;
    }
    return static_cast<int>(build);
}

bool IsNewerBuild(const std::string& installed, const std::string& announced)
{
    const std::optional<int> build = AnnouncedBuild(announced);
    return build && LeadingInt(installed) < *build;
}

}  // namespace core
