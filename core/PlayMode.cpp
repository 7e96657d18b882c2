#include "core/PlayMode.h"

#include <algorithm>

namespace core {

namespace {

const char* const kPlayModeWords[] = {"none", "loop", "continuity", "random"};
constexpr int kPlayModeCount = sizeof(kPlayModeWords) / sizeof(kPlayModeWords[0]);

}  // namespace

PlayMode ParsePlayMode(const std::string& stored)
{
    const int item = PlayModeItem(stored);
    return item < 0 ? PlayMode::None : static_cast<PlayMode>(item);
}

int PlayModeItem(const std::string& stored)
{
    for (int item = 0; item < kPlayModeCount; ++item) {
        if (stored == kPlayModeWords[item])
            return item;
    }
    return -1;
}

const char* PlayModeWord(int item)
{
    return item >= 0 && item < kPlayModeCount ? kPlayModeWords[item] : nullptr;
}

int RowAfterTrackEnd(PlayMode mode, int current, int rowCount, int randomDraw)
{
    if (rowCount <= 0)
        return -1;
    switch (mode) {
    case PlayMode::Loop:
        return current >= 0 && current < rowCount ? current : -1;
    case PlayMode::Continuity:
        return current >= -1 && current < rowCount - 1 ? current + 1 : 0;
    case PlayMode::Random: {
        // A chart shorter than the limit must not draw a row it lacks.
        const int span = std::min(rowCount, kRandomRowLimit);
        return (randomDraw % span + span) % span;
    }
    case PlayMode::None:
        break;
    }
    return -1;
}

int PrevRow(int index, int rowCount)
{
    return index > 0 && index - 1 < rowCount ? index - 1 : -1;
}

int NextRow(int index, int rowCount)
{
    return index >= -1 && index < rowCount - 1 ? index + 1 : -1;
}

}  // namespace core
