#pragma once

// The micro-blog search stand-in: sample posts written around the searched term,
// as an Atom feed (feed title first, then per entry title, published and an
// author with name and uri, and no author of the feed's own).

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct TweetTemplate
{
    std::string user;         // account name, ASCII
    std::string displayName;
    std::string published;    // 2013-05-06T08:41:10Z
    std::string text;         // holds kTermMark where the term goes
};

inline constexpr const char kTermMark[] = "{term}";

// Columns: user, display name, published, text. Every text must hold the term
// mark once at least, so every post mentions the term.
std::optional<std::vector<TweetTemplate>> LoadTweetTemplates(const std::string& path, std::string& error);

// One entry per template with the term filled in; none for an empty term.
std::string BuildTweetFeed(const std::vector<TweetTemplate>& templates, const std::string& term,
                           const std::string& baseUrl);

}  // namespace standin
