#include "server/UpdateDocument.h"

#include "server/Markup.h"

#include <cctype>

namespace vendor {

namespace {

constexpr const char kFresh[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<update>\n</update>\n";

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' || c == ':';
}

std::string XmlUnescape(const std::string& text)
{
    static const std::pair<const char*, char> kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''},
    };
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i)
    {
        bool replaced = false;
        for (const auto& [entity, c] : kEntities)
        {
            const std::string name = entity;
            if (text.compare(i, name.size(), name) == 0)
            {
                plain += c;
                i += name.size() - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            plain += text[i];
    }
    return plain;
}

}  // namespace

std::optional<UpdateDocument> UpdateDocument::Parse(std::string text, std::string& error)
{
    UpdateDocument document(text.empty() ? std::string(kFresh) : std::move(text));
    if (document.text_.find("<!DOCTYPE") != std::string::npos)
        error = "the update document has a DOCTYPE, which the programs do not parse";
    else if (!document.RootEnd())
        error = "the update document has no root element to add to";
    if (!error.empty())
        return std::nullopt;
    return document;
}

bool UpdateDocument::InComment(size_t position) const
{
    const size_t open = text_.rfind("<!--", position);
    if (open == std::string::npos)
        return false;
    const size_t close = text_.find("-->", open + 4);
    return close == std::string::npos || close + 3 > position;
}

std::vector<UpdateDocument::Span> UpdateDocument::Find(const std::string& name) const
{
    std::vector<Span> spans;
    const std::string open = "<" + name;
    const std::string close = "</" + name + ">";
    for (size_t at = text_.find(open); at != std::string::npos; at = text_.find(open, at + 1))
    {
        const size_t after = at + open.size();
        if (after >= text_.size() || IsNameChar(text_[after]) || InComment(at))
            continue;
        const size_t tagEnd = text_.find('>', after);
        if (tagEnd == std::string::npos)
            break;
        if (text_[tagEnd - 1] == '/')
        {
            spans.push_back({at, tagEnd + 1});
            continue;
        }
        const size_t end = text_.find(close, tagEnd);
        if (end == std::string::npos)
            break;
        spans.push_back({at, end + close.size()});
    }
    return spans;
}

std::optional<size_t> UpdateDocument::RootEnd() const
{
    for (size_t at = text_.rfind("</"); at != std::string::npos && at > 0; at = text_.rfind("</", at - 1))
    {
        if (!InComment(at))
            return at;
    }
    return std::nullopt;
}

std::optional<std::string> UpdateDocument::Last(const std::string& name) const
{
    const std::vector<Span> spans = Find(name);
    if (spans.empty())
        return std::nullopt;
    const Span& last = spans.back();
    const size_t contentBegin = text_.find('>', last.begin) + 1;
    if (contentBegin >= last.end)  // <name/>
        return std::string();
    const size_t contentEnd = text_.rfind("</", last.end - 1);
    return XmlUnescape(text_.substr(contentBegin, contentEnd - contentBegin));
}

void UpdateDocument::Set(const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [name, value] : values)
    {
        const std::vector<Span> spans = Find(name);
        for (auto span = spans.rbegin(); span != spans.rend(); ++span)
        {
            size_t begin = span->begin;
            size_t end = span->end;
            // An element alone on its line takes its line with it.
            const size_t lineStart = text_.find_last_not_of(" \t", begin - 1) + 1;
            if ((lineStart == 0 || text_[lineStart - 1] == '\n') && end < text_.size() && text_[end] == '\n')
            {
                begin = lineStart;
                ++end;
            }
            text_.erase(begin, end - begin);
        }
    }
    size_t at = *RootEnd();
    // Inserted at the start of the end tag's line, so the tag keeps its indent.
    const size_t lineStart = text_.find_last_not_of(" \t", at - 1) + 1;
    if (lineStart > 0 && text_[lineStart - 1] == '\n')
        at = lineStart;
    std::string added;
    for (const auto& [name, value] : values)
        added += "\t<" + name + ">" + XmlEscape(value) + "</" + name + ">\n";
    if (at > 0 && text_[at - 1] != '\n')
        added = "\n" + added;
    text_.insert(at, added);
}

long long ProgramNumber(const std::string& text)
{
    size_t i = text.find_first_not_of(" \t\r\n\v\f");
    if (i == std::string::npos)
        return 0;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && number < (1LL << 40); ++i)
        number = number * 10 + (text[i] - '0');
    return negative ? -number : number;
}

}  // namespace vendor
