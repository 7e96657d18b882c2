#include "server/SqliteStorage.h"

#include "server/CountSql.h"

#include <sqlite3.h>

namespace vendor {

namespace {

// A prepared statement, finalized when it goes.
class Statement
{
public:
    Statement(sqlite3* db, const char* text) { sqlite3_prepare_v2(db, text, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

bool Execute(sqlite3* db, const char* text, std::string& error)
{
    if (sqlite3_exec(db, text, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = std::string("sqlite: ") + sqlite3_errmsg(db);
    return false;
}

bool Fail(sqlite3* db, std::string& error)
{
    error = std::string("sqlite: ") + sqlite3_errmsg(db);
    return false;
}

std::string Text(sqlite3_stmt* statement, int column)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

sqlite3* Connect(const std::string& path, Sync sync, std::string& error)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
    {
        error = "sqlite: " + path + ": " + (db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    if (!Execute(db, "PRAGMA journal_mode=WAL", error) ||
        !Execute(db, sync == Sync::Full ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL", error))
    {
        error = path + ": " + error;
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

}  // namespace

std::unique_ptr<Storage> SqliteStorage::Open(const std::string& path, Sync sync, std::string& error)
{
    std::unique_ptr<SqliteStorage> storage(new SqliteStorage());
    storage->writer_ = Connect(path, sync, error);
    if (storage->writer_ == nullptr || !Execute(storage->writer_, sql::kCreate, error))
        return nullptr;
    storage->reader_ = Connect(path, sync, error);
    if (storage->reader_ == nullptr)
        return nullptr;
    return storage;
}

SqliteStorage::~SqliteStorage()
{
    sqlite3_close(reader_);
    sqlite3_close(writer_);
}

bool SqliteStorage::Add(const std::vector<CountRow>& rows, std::string& error)
{
    std::lock_guard<std::mutex> lock(writeMutex_);
    if (!Execute(writer_, "BEGIN IMMEDIATE", error))
        return false;
    Statement add(writer_, sql::kAdd);
    bool ok = add.get() != nullptr;
    for (const CountRow& row : rows)
    {
        if (!ok)
            break;
        sqlite3_stmt* s = add.get();
        sqlite3_bind_text(s, 1, row.day.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, row.kind.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, row.word.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(s, 4, row.count);
        ok = sqlite3_step(s) == SQLITE_DONE;
        sqlite3_reset(s);
    }
    if (!ok)
    {
        Fail(writer_, error);
        sqlite3_exec(writer_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    if (Execute(writer_, "COMMIT", error))
        return true;
    sqlite3_exec(writer_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

bool SqliteStorage::Read(const std::string& firstDay, CountReport& report, std::string& error)
{
    std::lock_guard<std::mutex> lock(readMutex_);
    // One snapshot for both queries.
    if (!Execute(reader_, "BEGIN", error))
        return false;
    report = CountReport();
    bool ok = true;
    {
        Statement days(reader_, sql::kDays);
        ok = days.get() != nullptr && sqlite3_bind_text(days.get(), 1, firstDay.c_str(), -1, SQLITE_TRANSIENT) ==
                                          SQLITE_OK;
        int step = SQLITE_DONE;
        while (ok && (step = sqlite3_step(days.get())) == SQLITE_ROW)
        {
            report.days.push_back({Text(days.get(), 0), Text(days.get(), 1), Text(days.get(), 2),
                                   sqlite3_column_int64(days.get(), 3)});
        }
        ok = ok && step == SQLITE_DONE;
    }
    if (ok)
    {
        Statement totals(reader_, sql::kTotals);
        int step = SQLITE_DONE;
        while (totals.get() != nullptr && (step = sqlite3_step(totals.get())) == SQLITE_ROW)
            report.totals[Text(totals.get(), 0)][Text(totals.get(), 1)] = sqlite3_column_int64(totals.get(), 2);
        ok = totals.get() != nullptr && step == SQLITE_DONE;
    }
    if (!ok)
        Fail(reader_, error);
    sqlite3_exec(reader_, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    return ok;
}

}  // namespace vendor
