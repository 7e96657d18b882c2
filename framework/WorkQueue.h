#pragma once

// One worker thread that runs jobs one at a time, in the order they were
// queued. Queueing never waits for the worker: the caller may be a window's
// thread. The worker shares only this queue's state, so the queue's owner may
// go while a job still runs; the worker then ends once that job returns.

#include <functional>
#include <memory>

class CWorkQueue {
public:
    CWorkQueue();
    // Stops the queue (see Stop); never waits for the worker.
    ~CWorkQueue();
    CWorkQueue(const CWorkQueue&) = delete;
    CWorkQueue& operator=(const CWorkQueue&) = delete;

    // Queues `job`, starting the worker on first use. False, with the job
    // dropped, once stopped or when no worker could be started. An exception
    // that leaves a job ends that job only.
    bool Queue(std::function<void()> job);
    // Drops the jobs not yet started and lets the worker end after the one it
    // runs; later jobs are refused.
    void Stop();
    // Workers still running: 0 or 1.
    int LiveWorkers() const;

private:
    struct State;
    static void Run(std::shared_ptr<State> pState);

    std::shared_ptr<State> m_pState;
};
