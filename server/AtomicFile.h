#pragma once

// Replacing a file so that a reader sees the old bytes or the new, never a
// part: written to a temporary name beside it, synced, then renamed over it.

#include <string>

namespace vendor {

// Creates missing parent folders first. False with the reason; a failed write
// leaves no temporary file behind.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

bool ReadFile(const std::string& path, std::string& bytes);

}  // namespace vendor
