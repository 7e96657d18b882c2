#pragma once

// Which music row plays next, and where the transport buttons step. Rows are
// list indexes; -1 means "nothing happens".

#include <string>

namespace core {

enum class PlayMode { None, Loop, Continuity, Random };

// The stored setting: exactly "loop", "continuity" or "random"; anything else,
// "none" and a missing value included, is None.
PlayMode ParsePlayMode(const std::string& stored);

// The settings dialog's play-mode list holds one item per mode, in the
// enumeration's order, each stored as one word: "none", "loop", "continuity",
// "random".
// The item of a stored text that is exactly one of the words, else -1.
int PlayModeItem(const std::string& stored);
// The stored word of an item; null for -1 (no item) or any other index.
const char* PlayModeWord(int item);

// The charts carry at most this many songs; random play draws among them.
constexpr int kRandomRowLimit = 20;

// The row to play when a track ends, or -1:
//   None       -1
//   Loop       current, if it is a row of the list
//   Continuity current + 1, wrapping to 0 after the last row (or from a stray index)
//   Random     randomDraw modulo min(rowCount, kRandomRowLimit); randomDraw is
//              rand()'s non-negative result
// An empty list gives -1 in every mode.
int RowAfterTrackEnd(PlayMode mode, int current, int rowCount, int randomDraw);

// The row before index, or -1 at row 0, before it, or when that row does not exist.
int PrevRow(int index, int rowCount);

// The row after index (row 0 from -1), or -1 at the last row or beyond.
int NextRow(int index, int rowCount);

}  // namespace core
