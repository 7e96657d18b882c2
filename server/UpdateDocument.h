#pragma once

// The update document (app/stel7/update/update.xml) as text that the release
// command edits in place: it reads an element's value as the programs do (by
// name at any depth, the last one wins) and replaces one program's elements,
// leaving everything else (the other program's entries, comments, layout) as
// it was.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vendor {

class UpdateDocument
{
public:
    // An empty text gives a fresh document. nullopt with the reason when the
    // text has no root element to add to, or a DOCTYPE (which the programs
    // refuse to parse).
    static std::optional<UpdateDocument> Parse(std::string text, std::string& error);

    // The text of the last element named `name`, entities decoded.
    std::optional<std::string> Last(const std::string& name) const;

    // Every element named in `values` is removed and one of each is added, in
    // that order, at the end of the root element.
    void Set(const std::vector<std::pair<std::string, std::string>>& values);

    const std::string& Text() const { return text_; }

private:
    struct Span
    {
        size_t begin;  // '<' of the start tag
        size_t end;    // after '>' of the end tag
    };

    explicit UpdateDocument(std::string text) : text_(std::move(text)) {}
    std::vector<Span> Find(const std::string& name) const;
    bool InComment(size_t position) const;
    std::optional<size_t> RootEnd() const;  // '<' of the root's end tag

    std::string text_;
};

// The programs' reading of a build number: leading blanks, an optional sign,
// digits up to the first other character; no digits give 0.
long long ProgramNumber(const std::string& text);

}  // namespace vendor
