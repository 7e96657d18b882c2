#pragma once

// Where hanging and slow requests wait. Stopping the server closes the gate so
// every waiter wakes at once (the server's stop joins its worker threads, so a
// sleeping handler would hold the whole process); a reset wakes the requests
// held so far, so one test's hang does not keep a worker for the next.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace standin {

// The longest any request is held (a hang, a stalled body).
inline constexpr std::chrono::seconds kLongestHold(300);

class HoldGate
{
public:
    // Waits for `limit`; true when woken early by ReleaseAll or Close. Once the
    // gate is closed it returns true at once.
    bool Hold(std::chrono::milliseconds limit);
    // Wakes every request held now; later ones wait again.
    void ReleaseAll();
    // Wakes every request, now and later.
    void Close();

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    uint64_t generation_ = 0;
    bool closed_ = false;
};

}  // namespace standin
