#pragma once

// The position of a download's progress bar (0 to 100).

namespace core {

// Bytes so far × 100 ÷ the total, computed in double precision and truncated;
// 0 while the total is unknown (0). A server that sends more than it announced
// cannot push the bar past 100.
int ProgressPosition(unsigned long long progress, unsigned long long total);

}  // namespace core
