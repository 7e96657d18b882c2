#include "framework/WorkQueue.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

struct CWorkQueue::State {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    bool bStopped = false;
    bool bStarted = false;
    std::atomic<int> nLiveWorkers{0};
};

namespace {

// Counts a worker as live for exactly as long as its thread function runs,
// however it leaves.
class CLiveWorker {
public:
    explicit CLiveWorker(std::atomic<int>& rnLive) : m_rnLive(rnLive) {}
    ~CLiveWorker() { --m_rnLive; }
    CLiveWorker(const CLiveWorker&) = delete;
    CLiveWorker& operator=(const CLiveWorker&) = delete;

private:
    std::atomic<int>& m_rnLive;
};

}  // namespace

CWorkQueue::CWorkQueue() : m_pState(std::make_shared<State>()) {}

CWorkQueue::~CWorkQueue()
{
    Stop();
}

bool CWorkQueue::Queue(std::function<void()> job)
{
    std::unique_lock<std::mutex> lock(m_pState->lock);
    if (m_pState->bStopped || !job) return false;
    if (!m_pState->bStarted) {
        // Counted before the thread exists, so that no one sees 0 meanwhile.
        ++m_pState->nLiveWorkers;
        try {
            std::thread(&CWorkQueue::Run, m_pState).detach();
        } catch (const std::exception&) {
            --m_pState->nLiveWorkers;
            return false;
        }
        m_pState->bStarted = true;
    }
    m_pState->jobs.push_back(std::move(job));
    lock.unlock();
    m_pState->wake.notify_one();
    return true;
}

void CWorkQueue::Stop()
{
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> lock(m_pState->lock);
        m_pState->bStopped = true;
        dropped.swap(m_pState->jobs);
    }
    m_pState->wake.notify_all();
    // The dropped jobs are destroyed here, outside the lock.
}

int CWorkQueue::LiveWorkers() const
{
    return m_pState->nLiveWorkers;
}

void CWorkQueue::Run(std::shared_ptr<State> pState)
{
    const CLiveWorker live(pState->nLiveWorkers);
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(pState->lock);
            pState->wake.wait(lock, [&] { return pState->bStopped || !pState->jobs.empty(); });
            if (pState->bStopped) return;
            job = std::move(pState->jobs.front());
            pState->jobs.pop_front();
        }
        // No exception may leave a thread's entry function.
        try {
            job();
        } catch (...) {
        }
    }
}
