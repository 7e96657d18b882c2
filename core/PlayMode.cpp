#include "core/PlayMode.h"

#include <algorithm>

namespace core {

PlayMode ParsePlayMode(const std::string& stored)
{
    if (stored == "loop")
        return PlayMode::Loop;
    if (stored == "continuity")
        return PlayMode::Continuity;
    if (stored == "random")
        return PlayMode::Random;
    return PlayMode::None;
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
