#include "server/Storage.h"

#include "server/PostgresStorage.h"
#include "server/SqliteStorage.h"

namespace vendor {

std::unique_ptr<Storage> OpenStorage(const std::string& url, Sync sync, std::string& error)
{
    const std::string sqlite = "sqlite:";
    if (url.compare(0, sqlite.size(), sqlite) == 0 && url.size() > sqlite.size())
        return SqliteStorage::Open(url.substr(sqlite.size()), sync, error);
    if (url.compare(0, 13, "postgresql://") == 0 || url.compare(0, 11, "postgres://") == 0)
        return PostgresStorage::Open(url, error);
    error = "database " + url + ": give sqlite:PATH or a postgresql:// connection string";
    return nullptr;
}

}  // namespace vendor
