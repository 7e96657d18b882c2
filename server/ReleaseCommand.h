#pragma once

// `stel7-server release`: publishes one program's updater. Every check comes
// before the first write, so a refusal changes nothing; then the updater is
// put in place, and only after it the update document that names it.

#include "server/Options.h"

#include <string>

namespace vendor {

// The largest updater the programs download.
inline constexpr size_t kMaxUpdaterSize = 64 * 1024 * 1024;

// "MZ", and the PE signature where the DOS header points.
bool IsWindowsProgram(const std::string& bytes);

// The process's exit code: 0 published, 1 refused or failed (the reason on
// standard error), with a line saying what was published on standard output.
int Release(const ReleaseOptions& options);

}  // namespace vendor
