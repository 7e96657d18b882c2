#pragma once

// Group commit: every request thread hands its count over and waits; a
// writer thread commits all counts that arrived meanwhile in one transaction,
// then wakes their threads with the outcome. A request is answered only after
// its count is committed, and one sync serves many counts. There are as many
// writer threads as the storage commits at once.

#include "server/Storage.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vendor {

class CountWriter
{
public:
    explicit CountWriter(Storage& storage);
    ~CountWriter();  // Stop()

    CountWriter(const CountWriter&) = delete;
    CountWriter& operator=(const CountWriter&) = delete;

    // Adds one to the row's day, kind and word; true once committed, false
    // when the commit failed or the writer has stopped.
    bool Record(const std::string& day, const std::string& kind, const std::string& word);

    // Commits what is waiting, then ends the writer threads.
    void Stop();

private:
    struct Batch
    {
        std::vector<CountRow> rows;
        bool done = false;
        bool committed = false;
        // Only this batch's requests wake, not those waiting for the next one.
        std::condition_variable finished;
    };

    void Run();

    Storage& storage_;
    std::mutex mutex_;
    std::condition_variable arrived_;  // wakes the writer
    std::shared_ptr<Batch> open_ = std::make_shared<Batch>();
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace vendor
