#pragma once

#include <string>

namespace vendor {

// Text safe inside an XML or HTML element or a quoted attribute.
std::string XmlEscape(const std::string& text);

}  // namespace vendor
