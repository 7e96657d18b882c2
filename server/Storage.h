#pragma once

// Where the counts are kept: one row per day, kind and word with its number.
// SQLite for one machine, PostgreSQL for several servers sharing one database;
// both behind this interface, chosen by the database URL.

#include <cstdint>
#include <tuple>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vendor {

// The stored names of the kinds of CountQuery.h.
inline constexpr const char kKindEvent[] = "event";
inline constexpr const char kKindUnknownWord[] = "unknown_word";
inline constexpr const char kKindWrongKey[] = "wrong_key";

struct CountRow
{
    std::string day;   // "YYYY-MM-DD", the server's local date
    std::string kind;  // one of the kinds above
    std::string word;  // the event word; empty for the other kinds
    int64_t count = 0;

    bool operator<(const CountRow& other) const
    {
        return std::tie(day, kind, word) < std::tie(other.day, other.kind, other.word);
    }
};

struct CountReport
{
    std::vector<CountRow> days;  // rows from the first day asked for on, by day
    // All-time totals by kind, then by word.
    std::map<std::string, std::map<std::string, int64_t>> totals;
};

class Storage
{
public:
    virtual ~Storage() = default;

    // Adds every row's count to the stored one, in one transaction; true only
    // once the transaction is committed. Called by up to Writers() threads at once.
    virtual bool Add(const std::vector<CountRow>& rows, std::string& error) = 0;

    // How many transactions may commit at once: while one waits for its
    // sync, the next can be on its way.
    virtual int Writers() const = 0;

    // The rows of `firstDay` and later, and the totals. Any thread.
    virtual bool Read(const std::string& firstDay, CountReport& report, std::string& error) = 0;
};

// How far a commit goes before Add returns, for SQLite. PostgreSQL follows
// its server's own synchronous_commit.
enum class Sync
{
    Full,    // synced to the disk: survives a power cut
    Normal,  // handed to the operating system: survives the server's crash or kill -9, not the machine's
};

// "sqlite:PATH" or a "postgresql://" (or "postgres://") connection string;
// nullptr with the reason when it cannot be opened or its schema made.
std::unique_ptr<Storage> OpenStorage(const std::string& url, Sync sync, std::string& error);

}  // namespace vendor
