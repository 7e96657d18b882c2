#pragma once

// The statements both databases run: the same text, since SQLite numbers
// "$1".."$4" by first appearance as PostgreSQL does.

namespace vendor::sql {

inline constexpr const char kCreate[] =
    "CREATE TABLE IF NOT EXISTS counts ("
    "day TEXT NOT NULL, kind TEXT NOT NULL, word TEXT NOT NULL, n BIGINT NOT NULL, "
    "PRIMARY KEY (day, kind, word))";

inline constexpr const char kAdd[] =
    "INSERT INTO counts (day, kind, word, n) VALUES ($1, $2, $3, $4) "
    "ON CONFLICT (day, kind, word) DO UPDATE SET n = counts.n + excluded.n";

inline constexpr const char kDays[] =
    "SELECT day, kind, word, n FROM counts WHERE day >= $1 ORDER BY day, kind, word";

inline constexpr const char kTotals[] = "SELECT kind, word, SUM(n) FROM counts GROUP BY kind, word";

}  // namespace vendor::sql
