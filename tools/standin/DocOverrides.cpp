#include "tools/standin/DocOverrides.h"

namespace standin {

void DocOverrides::Set(const std::string& path, Document document)
{
    std::lock_guard<std::mutex> lock(mutex_);
    documents_[path] = std::move(document);
}

void DocOverrides::Remove(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    documents_.erase(path);
}

std::optional<Document> DocOverrides::Find(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = documents_.find(path);
    if (found == documents_.end())
        return std::nullopt;
    return found->second;
}

void DocOverrides::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    documents_.clear();
}

}  // namespace standin
