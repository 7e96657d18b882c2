// The feed worker's queue: one job at a time in queue order, a queue that
// never waits for the job it runs, and a worker that ends whatever its jobs do.
#include "framework/WorkQueue.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "tests/win/support/Pump.h"

namespace {

// A manual-reset event that the test sets.
struct Event {
    Event() : h(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { ::CloseHandle(h); }
    bool WaitMs(DWORD ms) const { return ::WaitForSingleObject(h, ms) == WAIT_OBJECT_0; }
    HANDLE h;
};

TEST(WorkQueueTest, JobsRunOneAtATimeInTheOrderQueued)
{
    CWorkQueue queue;
    std::mutex lock;
    std::vector<int> order;
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    Event done;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(queue.Queue([&, i] {
            if (++running > 1) overlapped = true;
            ::Sleep(0);
            {
                std::lock_guard<std::mutex> guard(lock);
                order.push_back(i);
            }
            --running;
            if (i == 49) ::SetEvent(done.h);
        }));
    }
    ASSERT_TRUE(done.WaitMs(10000));
    EXPECT_FALSE(overlapped.load());
    std::vector<int> expected(50);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(expected, order);
}

// Queueing while a job waits for the test returns at once; a stopped worker
// ends without running what waits.
TEST(WorkQueueTest, QueueingNeverWaitsAThrowingJobEndsOnlyItselfAndAStopDropsWhatWaits)
{
    CWorkQueue queue;
    Event next, release, started;
    ASSERT_TRUE(queue.Queue([] { throw std::runtime_error("a job that fails"); }));
    ASSERT_TRUE(queue.Queue([&] { ::SetEvent(next.h); }));
    ASSERT_TRUE(next.WaitMs(10000));
    EXPECT_EQ(1, queue.LiveWorkers());

    std::atomic<bool> dropped{true};
    ASSERT_TRUE(queue.Queue([&] {
        ::SetEvent(started.h);
        release.WaitMs(INFINITE);
    }));
    ASSERT_TRUE(started.WaitMs(10000));
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(queue.Queue([] {}));
    ASSERT_TRUE(queue.Queue([&] { dropped = false; }));
    queue.Stop();
    EXPECT_FALSE(queue.Queue([] {}));
    ::SetEvent(release.h);
    EXPECT_TRUE(PumpUntil([&] { return queue.LiveWorkers() == 0; }, 10000));
    EXPECT_TRUE(dropped.load());
}

}  // namespace
