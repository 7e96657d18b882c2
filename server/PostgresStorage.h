#pragma once

// Counts in a PostgreSQL database that several servers share, each with its
// own connections: a few that write at once (the server syncs their commits
// together) and one that reads. A connection that broke is opened again on
// its next use.

#include "server/Storage.h"

#include <condition_variable>
#include <mutex>
#include <vector>

struct pg_conn;

namespace vendor {

class PostgresStorage final : public Storage
{
public:
    static std::unique_ptr<Storage> Open(const std::string& url, std::string& error);
    ~PostgresStorage() override;

    bool Add(const std::vector<CountRow>& rows, std::string& error) override;
    int Writers() const override { return kWriters; }
    bool Read(const std::string& firstDay, CountReport& report, std::string& error) override;

private:
    static constexpr int kWriters = 4;

    bool AddOn(pg_conn* writer, const std::vector<CountRow>& rows, std::string& error);

    PostgresStorage() = default;

    std::mutex writersMutex_;
    std::condition_variable writerFree_;
    std::vector<pg_conn*> idleWriters_;
    std::vector<pg_conn*> writers_;
    std::mutex readMutex_;
    pg_conn* reader_ = nullptr;
};

}  // namespace vendor
