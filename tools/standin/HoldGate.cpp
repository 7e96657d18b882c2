#include "tools/standin/HoldGate.h"

namespace standin {

bool HoldGate::Hold(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const uint64_t heldIn = generation_;
    return wake_.wait_for(lock, limit, [&] { return closed_ || generation_ != heldIn; });
}

void HoldGate::ReleaseAll()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++generation_;
    }
    wake_.notify_all();
}

void HoldGate::Close()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    wake_.notify_all();
}

}  // namespace standin
