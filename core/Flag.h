#pragma once

// On/off values, in the registry and in the vendor's documents, are the words
// "true" and "false". Only exactly "true" is on (byte-wise, case-sensitive):
// "TRUE", " true" and a missing value are off.

#include <string>

namespace core {

inline bool IsOn(const std::string& value)
{
    return value == "true";
}

}  // namespace core
