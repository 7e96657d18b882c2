#pragma once

// Addresses on the vendor's web server that both programs use.

#include <string>

#include "BuildConfig.h"

// The update document: the main program's and the agent's newest builds.
inline constexpr const char kUpdateDocumentUrl[] = "http://" STEL7_VENDOR_HOST "/app/stel7/update/update.xml";

// The usage count address of one event: the count page with "mode=stel7_" +
// event + "&key=stel7".
inline std::string CountUrl(const char* pszEvent)
{
    return std::string("http://" STEL7_VENDOR_HOST "/app/stel7/analytics/request/count.php?mode=stel7_") + pszEvent +
           "&key=stel7";
}
