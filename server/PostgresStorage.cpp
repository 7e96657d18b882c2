#include "server/PostgresStorage.h"

#include "server/CountSql.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace vendor {

namespace {

// A query result, cleared when it goes.
class Result
{
public:
    explicit Result(PGresult* result) : result_(result) {}
    ~Result() { PQclear(result_); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    PGresult* get() const { return result_; }
    bool Is(ExecStatusType status) const { return PQresultStatus(result_) == status; }

private:
    PGresult* result_;
};

std::string ErrorOf(PGconn* connection)
{
    std::string message = PQerrorMessage(connection);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return "postgresql: " + message;
}

bool Command(PGconn* connection, const char* text, std::string& error)
{
    const Result result(PQexec(connection, text));
    if (result.Is(PGRES_COMMAND_OK))
        return true;
    error = ErrorOf(connection);
    return false;
}

// The connection, opened again if it broke since its last use.
bool Ready(PGconn* connection, std::string& error)
{
    if (PQstatus(connection) != CONNECTION_OK)
        PQreset(connection);
    if (PQstatus(connection) == CONNECTION_OK)
        return true;
    error = ErrorOf(connection);
    return false;
}

PGconn* Connect(const std::string& url, std::string& error)
{
    PGconn* connection = PQconnectdb(url.c_str());
    if (PQstatus(connection) == CONNECTION_OK)
    {
        // Notices ("relation already exists, skipping") are no errors to show.
        PQsetNoticeProcessor(connection, [](void*, const char*) {}, nullptr);
        return connection;
    }
    error = ErrorOf(connection);
    PQfinish(connection);
    return nullptr;
}

int64_t Number(const PGresult* result, int row, int column)
{
    return std::strtoll(PQgetvalue(result, row, column), nullptr, 10);
}

}  // namespace

std::unique_ptr<Storage> PostgresStorage::Open(const std::string& url, std::string& error)
{
    std::unique_ptr<PostgresStorage> storage(new PostgresStorage());
    for (int i = 0; i < kWriters; ++i)
    {
        PGconn* writer = Connect(url, error);
        if (writer == nullptr)
            return nullptr;
        storage->writers_.push_back(writer);
    }
    storage->idleWriters_ = storage->writers_;
    // Servers starting together race to create the table; the loser finds it made.
    if (!Command(storage->writers_[0], sql::kCreate, error) && !Command(storage->writers_[0], sql::kCreate, error))
        return nullptr;
    storage->reader_ = Connect(url, error);
    if (storage->reader_ == nullptr)
        return nullptr;
    return storage;
}

PostgresStorage::~PostgresStorage()
{
    PQfinish(reader_);
    for (PGconn* writer : writers_)
        PQfinish(writer);
}

bool PostgresStorage::Add(const std::vector<CountRow>& rows, std::string& error)
{
    PGconn* writer = nullptr;
    {
        std::unique_lock<std::mutex> lock(writersMutex_);
        writerFree_.wait(lock, [this] { return !idleWriters_.empty(); });
        writer = idleWriters_.back();
        idleWriters_.pop_back();
    }
    const bool added = AddOn(writer, rows, error);
    {
        std::lock_guard<std::mutex> lock(writersMutex_);
        idleWriters_.push_back(writer);
    }
    writerFree_.notify_one();
    return added;
}

bool PostgresStorage::AddOn(pg_conn* writer, const std::vector<CountRow>& rows, std::string& error)
{
    if (!Ready(writer, error) || !Command(writer, "BEGIN", error))
        return false;
    for (const CountRow& row : rows)
    {
        const std::string count = std::to_string(row.count);
        const char* values[] = {row.day.c_str(), row.kind.c_str(), row.word.c_str(), count.c_str()};
        const Result result(PQexecParams(writer, sql::kAdd, 4, nullptr, values, nullptr, nullptr, 0));
        if (!result.Is(PGRES_COMMAND_OK))
        {
            error = ErrorOf(writer);
            Command(writer, "ROLLBACK", error);
            return false;
        }
    }
    // COMMIT returns once the server has flushed the transaction's log.
    return Command(writer, "COMMIT", error);
}

bool PostgresStorage::Read(const std::string& firstDay, CountReport& report, std::string& error)
{
    std::lock_guard<std::mutex> lock(readMutex_);
    if (!Ready(reader_, error) || !Command(reader_, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", error))
        return false;
    report = CountReport();
    const char* values[] = {firstDay.c_str()};
    const Result days(PQexecParams(reader_, sql::kDays, 1, nullptr, values, nullptr, nullptr, 0));
    const Result totals(PQexec(reader_, sql::kTotals));
    const bool ok = days.Is(PGRES_TUPLES_OK) && totals.Is(PGRES_TUPLES_OK);
    if (!ok)
        error = ErrorOf(reader_);
    std::string ignored;
    Command(reader_, ok ? "COMMIT" : "ROLLBACK", ignored);
    if (!ok)
        return false;
    for (int i = 0; i < PQntuples(days.get()); ++i)
    {
        report.days.push_back({PQgetvalue(days.get(), i, 0), PQgetvalue(days.get(), i, 1),
                               PQgetvalue(days.get(), i, 2), Number(days.get(), i, 3)});
    }
    for (int i = 0; i < PQntuples(totals.get()); ++i)
        report.totals[PQgetvalue(totals.get(), i, 0)][PQgetvalue(totals.get(), i, 1)] = Number(totals.get(), i, 2);
    return true;
}

}  // namespace vendor
