#pragma once

// The one bound on every network call. The platform's own time-outs do not stop
// a request to a server that accepts the connection and never answers, and a
// blocked request cannot be cancelled from another thread (abort hangs the
// caller too, closing the handle does not release the call). So each call runs
// on a short-lived thread of its own, and the caller stops waiting for it when
// the deadline passes. The abandoned thread finishes whenever its call returns.

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

// Runs `work` on a new thread and waits up to `deadlineMs` for it. Returns true
// when `work` returned within the deadline; false when the deadline passed,
// `cancel` (an event, may be null) was signalled, the thread could not be
// started or `work` threw.
//
// While waiting, the calling thread answers messages that other threads send
// to its windows (so a worker that sends to a window of the caller does not
// deadlock) and repaints its windows, but dispatches no posted or input
// messages, so no handler of the caller runs again inside the wait.
//
// On false, `work` may still be running: it must own, through shared_ptr or by
// value, everything it touches, and never refer to the caller's stack. A
// process may exit while such a thread is still blocked.
bool RunWithDeadline(std::function<void()> work, unsigned deadlineMs, HANDLE cancel = nullptr);

// When a piece of work last showed progress; touched from the work's thread,
// read by the waiting caller.
class CActivity {
public:
    void Touch() { m_nLastTick = ::GetTickCount64(); }
    ULONGLONG LastTick() const { return m_nLastTick; }

private:
    std::atomic<ULONGLONG> m_nLastTick{::GetTickCount64()};
};

// As RunWithDeadline, but `idleMs` bounds the time since `activity` was last
// touched (or made) instead of the whole run: a long download that keeps
// reporting progress is not abandoned, one that stops reporting is.
bool RunWhileActive(std::function<void()> work, std::shared_ptr<const CActivity> activity, unsigned idleMs,
                    HANDLE cancel = nullptr);

// Waits until `event` is signalled, `cancel` (may be null) is signalled or
// `timeoutMs` (INFINITE: no limit) passes; true only when `event` was
// signalled. Meanwhile it answers the messages other threads send to this
// thread's windows and repaints them, and does nothing else. RunWithDeadline
// waits so.
bool WaitAnsweringSentMessages(HANDLE event, unsigned timeoutMs, HANDLE cancel = nullptr);
