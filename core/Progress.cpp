#include "core/Progress.h"

namespace core {

namespace {

constexpr int kFull = 100;

}  // namespace

int ProgressPosition(unsigned long long progress, unsigned long long total)
{
    if (total == 0) return 0;
    const double position = static_cast<double>(progress) * kFull / static_cast<double>(total);
    return position >= kFull ? kFull : static_cast<int>(position);
}

}  // namespace core
