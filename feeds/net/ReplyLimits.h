#pragma once

// How much any reply may hold. Every answer is input from a network an
// attacker may sit on: a body that never ends, or announces gigabytes, must
// not be held whole in memory or on disk.

#include <cstdint>

// A feed (and the channel's local copy of one): the feeds are kilobytes.
// Tens of megabytes outlast the deadline in the parser, and an abandoned parse
// runs on, competing with the next fetch.
inline constexpr uint64_t kLongestFeedBytes = 8 * 1024 * 1024;

// The updater, a small installer: a download that passes this stops.
inline constexpr uint64_t kLongestUpdaterBytes = 64 * 1024 * 1024;
