#pragma once

// The search term as the search addresses carry it: its CP949 text as UTF-8,
// percent-encoded. Any thread.

#include <string>

std::string EncodeSearchTerm(const std::string& strTerm);
