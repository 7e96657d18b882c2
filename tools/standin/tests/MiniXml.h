#pragma once

// A small well-formedness check and element reader for the tests: it reads a
// document the way the programs do (elements by qualified name in document
// order, the concatenated text of an element and its descendants, attributes by
// position) and refuses what an XML parser refuses.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin_test {

struct XmlElement
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in document order, values unescaped
    std::string text;                                             // own and descendants' text, unescaped
};

struct XmlDocument
{
    std::vector<XmlElement> elements;  // in document order of their start tags

    std::vector<std::string> Texts(std::string_view name) const;
    // The k-th attribute value of every element of that name; empty for an
    // element with fewer attributes.
    std::vector<std::string> Attributes(std::string_view name, size_t k) const;
    size_t Count(std::string_view name) const;
};

// nullopt unless the text is one well-formed document with an XML declaration.
std::optional<XmlDocument> ParseXml(std::string_view text);

}  // namespace standin_test
