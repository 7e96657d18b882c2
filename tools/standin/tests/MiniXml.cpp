#include "tools/standin/tests/MiniXml.h"

#include <algorithm>

namespace standin_test {

namespace {

bool IsNameByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
           c == '-' || c == '.' || u >= 0x80;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void AppendCodePoint(std::string& out, unsigned long cp)
{
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

class Reader
{
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<XmlDocument> Read()
    {
        if (text_.rfind("<?xml", 0) != 0 || !SkipPast("?>"))
            return std::nullopt;
        bool rootSeen = false;
        while (pos_ < text_.size())
        {
            if (IsSpace(text_[pos_]))
            {
                ++pos_;
                continue;
            }
            if (Starts("<!--"))
            {
                if (!SkipPast("-->"))
                    return std::nullopt;
                continue;
            }
            if (Starts("<?"))
            {
                if (!SkipPast("?>"))
                    return std::nullopt;
                continue;
            }
            if (rootSeen || !Starts("<") || !Element())
                return std::nullopt;
            rootSeen = true;
        }
        if (!rootSeen)
            return std::nullopt;
        return std::move(document_);
    }

private:
    bool Starts(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    bool SkipPast(std::string_view end)
    {
        const size_t at = text_.find(end, pos_);
        if (at == std::string_view::npos)
            return false;
        pos_ = at + end.size();
        return true;
    }

    std::optional<std::string> Name()
    {
        const size_t start = pos_;
        while (pos_ < text_.size() && IsNameByte(text_[pos_]))
            ++pos_;
        if (pos_ == start || (text_[start] >= '0' && text_[start] <= '9') || text_[start] == '-' || text_[start] == '.')
            return std::nullopt;
        return std::string(text_.substr(start, pos_ - start));
    }

    // An entity reference at pos_ ('&'), appended unescaped.
    bool Entity(std::string& out)
    {
        const size_t end = text_.find(';', pos_);
        if (end == std::string_view::npos || end - pos_ > 10)
            return false;
        const std::string_view name = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "amp") out += '&';
        else if (name == "quot") out += '"';
        else if (name == "apos") out += '\'';
        else if (name.size() > 1 && name[0] == '#')
        {
            const bool hex = name[1] == 'x';
            const std::string digits(name.substr(hex ? 2 : 1));
            if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                                      std::string::npos)
                return false;
            AppendCodePoint(out, std::stoul(digits, nullptr, hex ? 16 : 10));
        }
        else
            return false;
        return true;
    }

    void AddText(const std::string& piece)
    {
        for (size_t index : open_)
            document_.elements[index].text += piece;
    }

    bool Element()
    {
        ++pos_;  // '<'
        std::optional<std::string> name = Name();
        if (!name)
            return false;
        const size_t index = document_.elements.size();
        document_.elements.push_back({*name, {}, {}});
        for (;;)
        {
            const size_t before = pos_;
            while (pos_ < text_.size() && IsSpace(text_[pos_]))
                ++pos_;
            if (Starts("/>"))
            {
                pos_ += 2;
                return true;
            }
            if (Starts(">"))
            {
                ++pos_;
                break;
            }
            if (pos_ == before)
                return false;  // attributes need white space before them
            std::optional<std::string> attribute = Name();
            if (!attribute || !Starts("=") || pos_ + 1 >= text_.size())
                return false;
            const char quote = text_[++pos_];
            if (quote != '"' && quote != '\'')
                return false;
            ++pos_;
            std::string value;
            while (pos_ < text_.size() && text_[pos_] != quote)
            {
                if (text_[pos_] == '<')
                    return false;
                if (text_[pos_] == '&')
                {
                    if (!Entity(value))
                        return false;
                }
                else
                    value += text_[pos_++];
            }
            if (pos_ >= text_.size())
                return false;
            ++pos_;
            auto& attributes = document_.elements[index].attributes;
            if (std::any_of(attributes.begin(), attributes.end(), [&](const auto& a) { return a.first == *attribute; }))
                return false;
            attributes.emplace_back(*attribute, value);
        }

        open_.push_back(index);
        for (;;)
        {
            if (pos_ >= text_.size())
                return false;
            if (Starts("</"))
            {
                pos_ += 2;
                const std::optional<std::string> end = Name();
                while (pos_ < text_.size() && IsSpace(text_[pos_]))
                    ++pos_;
                if (!end || *end != *name || !Starts(">"))
                    return false;
                ++pos_;
                open_.pop_back();
                return true;
            }
            if (Starts("<!--"))
            {
                if (!SkipPast("-->"))
                    return false;
            }
            else if (Starts("<![CDATA["))
            {
                const size_t start = pos_ + 9;
                if (!SkipPast("]]>"))
                    return false;
                AddText(std::string(text_.substr(start, pos_ - 3 - start)));
            }
            else if (Starts("<?"))
            {
                if (!SkipPast("?>"))
                    return false;
            }
            else if (Starts("<"))
            {
                if (!Element())
                    return false;
            }
            else
            {
                std::string piece;
                while (pos_ < text_.size() && text_[pos_] != '<')
                {
                    if (text_[pos_] == '&')
                    {
                        if (!Entity(piece))
                            return false;
                    }
                    else
                        piece += text_[pos_++];
                }
                AddText(piece);
            }
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    XmlDocument document_;
    std::vector<size_t> open_;
};

}  // namespace

std::vector<std::string> XmlDocument::Texts(std::string_view name) const
{
    std::vector<std::string> texts;
    for (const XmlElement& element : elements)
    {
        if (element.name == name)
            texts.push_back(element.text);
    }
    return texts;
}

std::vector<std::string> XmlDocument::Attributes(std::string_view name, size_t k) const
{
    std::vector<std::string> values;
    for (const XmlElement& element : elements)
    {
        if (element.name == name)
            values.push_back(k < element.attributes.size() ? element.attributes[k].second : std::string());
    }
    return values;
}

size_t XmlDocument::Count(std::string_view name) const
{
    return Texts(name).size();
}

std::optional<XmlDocument> ParseXml(std::string_view text)
{
    return Reader(text).Read();
}

}  // namespace standin_test
