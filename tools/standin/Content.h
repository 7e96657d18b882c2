#pragma once

// Files behind the documents: the content folder's static documents, the data
// tables that the generated documents are built from, and their content types.

#include <optional>
#include <string>
#include <vector>

namespace httplib {
struct Response;
}

namespace standin {

struct Site;

// What every document that names this server writes for its address; replaced
// by the address actually bound, so documents stay right on any port.
inline constexpr const char kBaseUrlMark[] = "@BASE@";

// The whole file, bytes unchanged; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// A static document of the content folder (path relative to the folder), with
// the base URL filled in when it is text; nullopt when it cannot be read.
std::optional<std::string> ReadContentDocument(const std::string& contentDir, const std::string& relativePath,
                                               const std::string& baseUrl);

// Answers with a static document and its content type; when the document
// cannot be read, answers 500 naming it and returns false.
bool AnswerWithContent(const Site& site, const std::string& relativePath, httplib::Response& response);

// Content type by the file name's extension; documents are UTF-8.
std::string ContentTypeFor(const std::string& fileName);

// The rows of a tab-separated table: blank lines and lines starting with '#'
// are skipped; every other line must have exactly `columns` fields. On failure
// the error names the file and line.
std::optional<std::vector<std::vector<std::string>>> ReadTable(const std::string& path, size_t columns,
                                                               std::string& error);

}  // namespace standin
