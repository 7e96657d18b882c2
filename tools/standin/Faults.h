#pragma once

// Faults a test switches on for one path: wrong answers (an HTML error page,
// broken XML, an empty body, a 404), no answer at all (hang, close), a late
// one (slow), or a body that goes wrong on the way (trickle, stall, short,
// nolength, endless; see BodyFaults.h). A fault applies to every later request of its
// exact path, query ignored, until it is cleared.

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace httplib {
struct Response;
}

namespace standin {

enum class FaultMode
{
    None,
    Html,
    Malformed,
    Empty,
    NotFound,
    Hang,
    Slow,
    Close,
    Trickle,
    Stall,
    Short,
    NoLength,
    Endless,
};

struct Fault
{
    FaultMode mode = FaultMode::None;
    int seconds = 0;  // slow, trickle, stall and nolength
};

// The mode for its word: none, html, malformed, empty, 404, hang, slow, close,
// trickle, stall, short, nolength, endless.
std::optional<FaultMode> ParseFaultMode(std::string_view word);

// Fills the answer of a mode that answers at once (html, malformed, empty,
// 404); false for the other modes, which leaves the response untouched.
bool FillFaultAnswer(FaultMode mode, httplib::Response& response);

class FaultTable
{
public:
    // Mode None removes the path's fault.
    void Set(const std::string& path, Fault fault);
    // The path's fault; mode None when there is none.
    Fault Find(const std::string& path) const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::map<std::string, Fault> faults_;
};

}  // namespace standin
