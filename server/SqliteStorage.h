#pragma once

// Counts in one SQLite file with a write-ahead log: a count reported as added
// survives a crash of the process, and with Sync::Full (every commit synced)
// also one of the machine.
// One connection writes, another reads, each behind its own lock.

#include "server/Storage.h"

#include <mutex>

struct sqlite3;

namespace vendor {

class SqliteStorage final : public Storage
{
public:
    static std::unique_ptr<Storage> Open(const std::string& path, Sync sync, std::string& error);
    ~SqliteStorage() override;

    bool Add(const std::vector<CountRow>& rows, std::string& error) override;
    int Writers() const override { return 1; }  // SQLite has one writer at a time
    bool Read(const std::string& firstDay, CountReport& report, std::string& error) override;

private:
    SqliteStorage() = default;

    std::mutex writeMutex_;
    sqlite3* writer_ = nullptr;
    std::mutex readMutex_;
    sqlite3* reader_ = nullptr;
};

}  // namespace vendor
