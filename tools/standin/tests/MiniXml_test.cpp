#include "tools/standin/tests/MiniXml.h"

#include <gtest/gtest.h>

using standin_test::ParseXml;

// The tests rely on this reader to tell XML from a broken reply; it must refuse
// what a parser refuses.
TEST(MiniXml, RefusesWhatIsNotOneWellFormedDocument)
{
    const char* cases[] = {
        "",
        "<a/>",                                           // no declaration
        "<html><body>error</body></html>",
        "<?xml version=\"1.0\"?>",                        // no root
        "<?xml version=\"1.0\"?><a>",                     // unclosed
        "<?xml version=\"1.0\"?><a><b></a></b>",          // crossed
        "<?xml version=\"1.0\"?><a/><b/>",                // two roots
        "<?xml version=\"1.0\"?><a/>text",                // text after the root
        "<?xml version=\"1.0\"?><a>&nbsp;</a>",           // unknown entity
        "<?xml version=\"1.0\"?><a>R&B</a>",              // bare ampersand
        "<?xml version=\"1.0\"?><a x=\"<\"/>",            // '<' in a value
        "<?xml version=\"1.0\"?><a x=\"1\" x=\"2\"/>",    // repeated attribute
        "<?xml version=\"1.0\"?><a x=1/>",                // unquoted value
        "<?xml version=\"1.0\"?><a x=\"1\"y=\"2\"/>",     // no space between attributes
        "<?xml version=\"1.0\"?><a><!-- open </a>",
        "<?xml version=\"1.0\"?><1a/>",
    };
    for (const char* text : cases)
        EXPECT_FALSE(ParseXml(text)) << text;
}

TEST(MiniXml, ReadsLikeTheProgramsDo)
{
    const auto document = ParseXml("<?xml version='1.0' encoding='UTF-8'?>\n<!-- c -->\n"
                                   "<f xmlns:yt='u'><title>feed</title><e><title>A &amp; <b>B</b></title>"
                                   "<yt:duration seconds='225' x=\"&lt;\"/></e><![CDATA[<raw>]]></f>");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Texts("title"), (std::vector<std::string>{"feed", "A & B"}));
    EXPECT_EQ(document->Texts("f"), std::vector<std::string>{"feedA & B<raw>"});
    EXPECT_EQ(document->Attributes("yt:duration", 0), std::vector<std::string>{"225"});
    EXPECT_EQ(document->Attributes("yt:duration", 1), std::vector<std::string>{"<"});
    EXPECT_EQ(document->Attributes("yt:duration", 2), std::vector<std::string>{""});
    EXPECT_EQ(document->Count("duration"), 0u);
    EXPECT_EQ(document->Attributes("f", 0), std::vector<std::string>{"u"});
}

TEST(MiniXml, NumericReferencesBecomeUtf8)
{
    const auto document = ParseXml("<?xml version=\"1.0\"?><a>&#44032;&#x41;</a>");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Texts("a"), std::vector<std::string>{u8"가A"});
}
