#include "tools/standin/TweetFeed.h"

#include "tools/standin/Content.h"
#include "tools/standin/TextUtil.h"

namespace standin {

std::optional<std::vector<TweetTemplate>> LoadTweetTemplates(const std::string& path, std::string& error)
{
    const auto rows = ReadTable(path, 4, error);
    if (!rows)
        return std::nullopt;
    std::vector<TweetTemplate> templates;
    for (const std::vector<std::string>& row : *rows)
    {
        TweetTemplate post{row[0], row[1], row[2], row[3]};
        if (post.user.empty() || post.published.size() != 20 || post.text.find(kTermMark) == std::string::npos)
        {
            error = path + ": bad post row for user \"" + row[0] + "\"";
            return std::nullopt;
        }
        templates.push_back(std::move(post));
    }
    return templates;
}

std::string BuildTweetFeed(const std::vector<TweetTemplate>& templates, const std::string& term,
                           const std::string& baseUrl)
{
    const std::string escapedTerm = XmlEscape(term);
    std::string feed =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<feed xmlns=\"http://www.w3.org/2005/Atom\" "
        "xmlns:twitter=\"http://api.twitter.com/\" xml:lang=\"ko\">\n"
        "<!-- Sample data of the stel7 local stand-in server, not real posts. -->\n";
    feed += "<id>tag:search.twitter.com,2005:search/" + escapedTerm + "</id>";
    feed += "<link type=\"text/html\" href=\"" + baseUrl + "/\" rel=\"alternate\"/>";
    feed += "<title>" + escapedTerm + " - Twitter Search</title>";
    feed += "<updated>2013-05-06T09:00:00Z</updated>";
    feed += "\n";
    if (!term.empty())
    {
        long long status = 331902201773309952LL;
        for (const TweetTemplate& post : templates)
        {
            const std::string text = XmlEscape(ReplaceAll(post.text, kTermMark, term));
            const std::string profile = "http://twitter.com/" + XmlEscape(post.user);
            const std::string statusId = std::to_string(status--);
            feed += "<entry>";
            feed += "<id>tag:search.twitter.com,2005:" + statusId + "</id>";
            feed += "<published>" + post.published + "</published>";
            feed += "<link type=\"text/html\" href=\"" + profile + "/statuses/" + statusId + "\" rel=\"alternate\"/>";
            feed += "<title>" + text + "</title>";
            feed += "<content type=\"html\">" + text + "</content>";
            feed += "<updated>" + post.published + "</updated>";
            feed += "<twitter:source>&lt;a href=&quot;" + baseUrl + "/&quot;&gt;web&lt;/a&gt;</twitter:source>";
            feed += "<twitter:lang>ko</twitter:lang>";
            feed += "<author><name>" + XmlEscape(post.user) + " (" + XmlEscape(post.displayName) + ")</name><uri>" +
                    profile + "</uri></author>";
            feed += "</entry>\n";
        }
    }
    feed += "</feed>\n";
    return feed;
}

}  // namespace standin
