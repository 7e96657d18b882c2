#pragma once

// What every route needs to know about the running stand-in.

#include <string>

namespace standin {

struct Site
{
    std::string contentDir;  // static documents and the data tables
    std::string dataDir;     // test documents a test may put in place; empty: none
    std::string baseUrl;     // "http://127.0.0.1:8717", set once the port is bound
    std::string rankKey;     // the only key the search-rank API accepts
};

}  // namespace standin
