#pragma once

// What the vendor signs for an updater: the statement "ROLE BUILD SHA256", in
// ASCII with single spaces and no line end, e.g.
//     stel7 195 9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08
// A signature over the file's bytes alone would let any updater the vendor
// ever signed pass again under a higher build (rollback) or for the other
// program (mix-and-match); the statement binds the file to one program and
// one build. tools/sign-release.sh makes the vendor's signature of it.

#include <string>

namespace core {

// The roles: the main program's updater (update_ver, update_url, update_sig)
// and the boot agent's (agent_ver, agent_url, agent_sig).
inline constexpr char kProgramRole[] = "stel7";
inline constexpr char kAgentRole[] = "stel7agent";

// `build` is written in decimal (AnnouncedBuild's spelling); `sha256Hex` is
// the downloaded file's SHA-256 in lowercase hex.
std::string UpdateStatement(const std::string& role, int build, const std::string& sha256Hex);

}  // namespace core
