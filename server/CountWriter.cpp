#include "server/CountWriter.h"

#include <iostream>
#include <map>

namespace vendor {

namespace {

// One row per day, kind and word, with the number of its counts.
std::vector<CountRow> Merged(const std::vector<CountRow>& rows)
{
    std::map<CountRow, int64_t> sums;
    for (const CountRow& row : rows)
        sums[row] += row.count;
    std::vector<CountRow> merged;
    for (const auto& [row, count] : sums)
        merged.push_back({row.day, row.kind, row.word, count});
    return merged;
}

}  // namespace

CountWriter::CountWriter(Storage& storage) : storage_(storage)
{
    for (int i = 0; i < storage.Writers(); ++i)
        threads_.emplace_back([this] { Run(); });
}

CountWriter::~CountWriter()
{
    Stop();
}

bool CountWriter::Record(const std::string& day, const std::string& kind, const std::string& word)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopping_)
        return false;
    const std::shared_ptr<Batch> batch = open_;
    batch->rows.push_back({day, kind, word, 1});
    arrived_.notify_one();
    batch->finished.wait(lock, [&batch] { return batch->done; });
    return batch->committed;
}

void CountWriter::Stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    arrived_.notify_all();
    for (std::thread& thread : threads_)
    {
        if (thread.joinable())
            thread.join();
    }
}

void CountWriter::Run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;)
    {
        arrived_.wait(lock, [this] { return stopping_ || !open_->rows.empty(); });
        if (open_->rows.empty())
            return;  // stopping, and nothing is left to commit
        const std::shared_ptr<Batch> batch = open_;
        open_ = std::make_shared<Batch>();
        lock.unlock();
        std::string error;
        const bool committed = storage_.Add(Merged(batch->rows), error);
        if (!committed)
            std::cerr << "stel7-server: " << batch->rows.size() << " counts not committed: " << error << std::endl;
        lock.lock();
        batch->done = true;
        batch->committed = committed;
        batch->finished.notify_all();
    }
}

}  // namespace vendor
