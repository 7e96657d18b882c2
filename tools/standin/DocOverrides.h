#pragma once

// Documents a test puts in place of a path's usual answer (a crafted update
// document, a feed with odd counts), served for every request of that exact
// path, query ignored, until removed.

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace standin {

struct Document
{
    std::string body;
    std::string contentType;
};

class DocOverrides
{
public:
    void Set(const std::string& path, Document document);
    void Remove(const std::string& path);
    std::optional<Document> Find(const std::string& path) const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::map<std::string, Document> documents_;
};

}  // namespace standin
