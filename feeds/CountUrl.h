#pragma once

// The usage count address both programs send their events to: the vendor's
// count page with "mode=stel7_" + event + "&key=stel7".

#include <string>

#include "BuildConfig.h"

inline std::string CountUrl(const char* pszEvent)
{
    return std::string("http://" STEL7_VENDOR_HOST "/app/stel7/analytics/request/count.php?mode=stel7_") + pszEvent +
           "&key=stel7";
}
