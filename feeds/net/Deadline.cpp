#include "feeds/net/Deadline.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <exception>
#include <thread>

#include "framework/Handles.h"

namespace {

// The end of one piece of work, shared by the waiting caller and the worker;
// whichever of them lets go last frees it, so an abandoned worker never
// touches freed memory.
class Completion
{
public:
    Completion() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    Completion(const Completion&) = delete;
    Completion& operator=(const Completion&) = delete;

    HANDLE Event() const { return event_.Get(); }
    bool Returned() const { return returned_.load(); }

    void Finish(bool returned)
    {
        returned_.store(returned);
        SetEvent(event_.Get());
    }

private:
    CKernelHandle event_;
    std::atomic<bool> returned_{false};
};

// Most paint requests handled in one go; a window that never validates
// itself must not keep the wait from waiting.
constexpr int kMostPaintsAtOnce = 64;

// Delivers the messages other threads have sent to this thread's windows and
// repaints them; posted and input messages stay queued, so no handler runs
// again while its thread waits, yet the window does not freeze.
void AnswerSentMessagesAndPaint()
{
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    for (int i = 0; i < kMostPaintsAtOnce && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageA(&message);
}

}  // namespace

bool WaitAnsweringSentMessages(HANDLE event, unsigned timeoutMs, HANDLE cancel)
{
    const ULONGLONG start = GetTickCount64();
    const HANDLE handles[] = {event, cancel};
    const DWORD count = cancel ? 2 : 1;
    // Messages sent before the wait began would not wake it.
    AnswerSentMessagesAndPaint();
    for (;;)
    {
        const ULONGLONG elapsed = GetTickCount64() - start;
        DWORD remaining = INFINITE;
        if (timeoutMs != INFINITE)
            remaining = elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
        const DWORD result = MsgWaitForMultipleObjects(count, handles, FALSE, remaining, QS_SENDMESSAGE | QS_PAINT);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + count)
            return false;
        AnswerSentMessagesAndPaint();
    }
}

bool RunWithDeadline(std::function<void()> work, unsigned deadlineMs, HANDLE cancel)
{
    // Nothing touches this activity: the bound is on the whole run.
    return RunWhileActive(std::move(work), std::make_shared<const CActivity>(), deadlineMs, cancel);
}

bool RunWhileActive(std::function<void()> work, std::shared_ptr<const CActivity> activity, unsigned idleMs,
                    HANDLE cancel)
{
    const auto completion = std::make_shared<Completion>();
    if (!completion->Event() || !activity)
        return false;
    try
    {
        std::thread([completion, work = std::move(work)]() mutable {
            bool returned = false;
            try
            {
                work();
                returned = true;
            }
            catch (...)
            {
            }
            // The work's captures go before the caller hears of the end, so a
            // caller that saw it finish shares nothing more with this thread.
            work = nullptr;
            completion->Finish(returned);
        }).detach();
    }
    catch (const std::exception&)
    {
        // No thread (std::system_error) or no memory for the work's copy.
        return false;
    }
    for (;;)
    {
        const ULONGLONG idle = GetTickCount64() - activity->LastTick();
        if (idle >= idleMs)
            return false;
        if (WaitAnsweringSentMessages(completion->Event(), static_cast<unsigned>(idleMs - idle), cancel))
            return completion->Returned();
        if (cancel && WaitForSingleObject(cancel, 0) != WAIT_TIMEOUT)
            return false;
    }
}
