#include "core/UpdateStatement.h"

namespace core {

std::string UpdateStatement(const std::string& role, int build, const std::string& sha256Hex)
{
    return role + " " + std::to_string(build) + " " + sha256Hex;
}

}  // namespace core
