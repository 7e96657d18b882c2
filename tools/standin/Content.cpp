#include "tools/standin/Content.h"

#include "tools/standin/Site.h"
#include "tools/standin/TextUtil.h"

#include <httplib.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace standin {

namespace {

std::string Extension(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return AsciiLower(fileName.substr(dot + 1));
}

bool IsText(const std::string& contentType)
{
    return contentType.find("charset=") != std::string::npos;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadContentDocument(const std::string& contentDir, const std::string& relativePath,
                                               const std::string& baseUrl)
{
    std::optional<std::string> bytes = ReadWholeFile(contentDir + "/" + relativePath);
    if (bytes && IsText(ContentTypeFor(relativePath)))
        return ReplaceAll(std::move(*bytes), kBaseUrlMark, baseUrl);
    return bytes;
}

bool AnswerWithContent(const Site& site, const std::string& relativePath, httplib::Response& response)
{
    const std::optional<std::string> document = ReadContentDocument(site.contentDir, relativePath, site.baseUrl);
    if (!document)
    {
        response.status = 500;
        response.set_content("missing content file " + relativePath + "\n", "text/plain; charset=utf-8");
        return false;
    }
    response.set_content(*document, ContentTypeFor(relativePath));
    return true;
}

std::string ContentTypeFor(const std::string& fileName)
{
    const std::string extension = Extension(fileName);
    if (extension == "xml" || extension == "rss" || extension == "atom")
        return "text/xml; charset=utf-8";
    if (extension == "html" || extension == "htm")
        return "text/html; charset=utf-8";
    if (extension == "txt")
        return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

std::optional<std::vector<std::vector<std::string>>> ReadTable(const std::string& path, size_t columns,
                                                               std::string& error)
{
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text)
    {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(*text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() != columns)
        {
            error = path + ":" + std::to_string(number) + ": expected " + std::to_string(columns) + " fields, found " +
                    std::to_string(fields.size());
            return std::nullopt;
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

}  // namespace standin
