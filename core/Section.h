#pragma once

// The main window's four sections, as its section number holds them.

namespace core {

enum Section : int {
    kSectionSearch = 1,
    kSectionChannel = 2,
    kSectionMusic = 3,
    kSectionHumor = 4,
};

}  // namespace core
