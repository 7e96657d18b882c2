#pragma once

// What the update document announces for the main program, read on the feed
// worker and judged on the window's thread.

#include <string>

struct UpdateAnnouncement {
    bool bRead = false;    // the document came and parsed
    bool bHasUrl = false;  // it has an address element
    std::string strBuild;  // the last of each element wins
    std::string strUrl;
    std::string strSignature;
};
