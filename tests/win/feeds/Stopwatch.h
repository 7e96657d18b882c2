#pragma once

// For the cases where a server hangs: the call must come back at its deadline,
// not when the platform gives up. The deadline is short so the tests stay
// quick; the allowance covers a loaded machine and Wine's thread start-up.

#include <windows.h>

constexpr unsigned kShortDeadlineMs = 2000;
constexpr ULONGLONG kLongestOverrunMs = 3000;

class Stopwatch
{
public:
    ULONGLONG ElapsedMs() const { return GetTickCount64() - start_; }

private:
    ULONGLONG start_ = GetTickCount64();
};
