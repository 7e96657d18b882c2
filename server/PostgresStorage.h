#pragma once

// Counts in a PostgreSQL database that several servers share, each with its
// own connections: one writes, one reads, each behind its own lock. A
// connection that broke is opened again on its next use.

#include "server/Storage.h"

#include <mutex>

struct pg_conn;

namespace vendor {

class PostgresStorage final : public Storage
{
public:
    static std::unique_ptr<Storage> Open(const std::string& url, std::string& error);
    ~PostgresStorage() override;

    bool Add(const std::vector<CountRow>& rows, std::string& error) override;
    bool Read(const std::string& firstDay, CountReport& report, std::string& error) override;

private:
    PostgresStorage() = default;

    std::mutex writeMutex_;
    pg_conn* writer_ = nullptr;
    std::mutex readMutex_;
    pg_conn* reader_ = nullptr;
};

}  // namespace vendor
