#include "core/Version.h"

#include "core/TextRules.h"

namespace core {

bool IsNewerBuild(const std::string& installed, const std::string& announced)
{
    return LeadingInt(installed) < LeadingInt(announced);
}

}  // namespace core
