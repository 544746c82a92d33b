#include "settings/text/text_limits.h"
#include "text/text_rules.h"
#include "text/zendra_url.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

TEST(TextRulesTest, SingleLineTextKeepsTheFirstTrimmedLine) {
    EXPECT_EQ(singleLineText(u"\n  word  \nsecond line"), QString("word"));
    EXPECT_EQ(singleLineText(u" \t\n  "), QString());
    EXPECT_EQ(singleLineText(u"first\r\nsecond"), QString("first"));
    EXPECT_EQ(singleLineText(u"one\u2028two"), QString("one"));
    EXPECT_EQ(singleLineText(u"one\u0085two"), QString("one"));
    EXPECT_EQ(singleLineText(u"\u00a0inner space kept\u2003"), QString("inner space kept"));
    // A combining mark after a line break belongs to the second line.
    EXPECT_EQ(singleLineText(u"e\n\u0301x"), QString("e"));
    EXPECT_EQ(singleLineText(u"emoji 👩‍💻 stays"), QString("emoji 👩‍💻 stays"));
    EXPECT_EQ(singleLineText(QStringView(u"up to\0 NUL", 11)), QString("up to")) << "U+0000 ends the line";
    // A line longer than any stored text keeps the longest start that does not split a character.
    const QString pairs = QStringView(u"\U0001F600").toString().repeated(Settings::maxTextLength);
    const QString clipped = singleLineText(pairs);
    EXPECT_EQ(clipped.size(), Settings::maxTextLength);
    EXPECT_TRUE(pairs.startsWith(clipped));
    EXPECT_EQ(singleLineText(QString(u'a') + pairs).size(), Settings::maxTextLength - 1);
}

TEST(TextRulesTest, RemoveLineBreaksJoinsLinesAndKeepsEverythingElse) {
    EXPECT_EQ(removeLineBreaks(u"a\r\nb\nc\u2029d\u000be\u000cf"), QString("abcdef"));
    EXPECT_EQ(removeLineBreaks(u"  spaced  "), QString("  spaced  ")) << "no trimming";
    EXPECT_EQ(removeLineBreaks(u"e\n\u0301"), QStringView(u"e\u0301").toString())
        << "the mark stays, now on e";
    EXPECT_EQ(removeLineBreaks(u"tab\tkept"), QString("tab\tkept"));
}

TEST(TextRulesTest, ZendraUrlsSetTheFirstLineOfTheirTextItem) {
    EXPECT_EQ(textFromZendraUrl("zendra:?text=two%20words"), QString("two words"));
    EXPECT_EQ(textFromZendraUrl("zendra://anyhost?text=hi"), QString("hi")) << "the host is not looked at";
    EXPECT_EQ(textFromZendraUrl("zendra:?text=%0Afirst%0Asecond"), QString("first"));
    EXPECT_EQ(textFromZendraUrl("zendra:?text="), QString()) << "an empty value clears";
    EXPECT_EQ(textFromZendraUrl("zendra:?other=1&text=a+b"), QString("a+b")) << "+ is no space";
    EXPECT_EQ(textFromZendraUrl("zendra:?text=first&text=second"), QString("first"));
    EXPECT_EQ(textFromZendraUrl("zendra:?text=%E2%9C%93"), QStringView(u"\u2713").toString());
    EXPECT_EQ(textFromZendraUrl("zendra:%20%0A?text=x"), QString("x")) << "the decoded path is trimmed";
    EXPECT_EQ(textFromZendraUrl("zendra:?text=a%00b"), QString("a")) << "the text ends at U+0000";

    EXPECT_EQ(textFromZendraUrl("zendra:path?text=a"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("zendra:/?text=a"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("zendra:%20a?text=x"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("Zendra:?text=a"), std::nullopt) << "the scheme is case-sensitive";
    EXPECT_EQ(textFromZendraUrl("https://zendra.example/?text=a"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("zendra:?text"), std::nullopt) << "an item without a value";
    EXPECT_EQ(textFromZendraUrl("zendra:?txt=a"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("zendra:?text=%zz"), std::nullopt) << "malformed percent-encoding";
    EXPECT_EQ(textFromZendraUrl("zendra:?text=%E2%9C"), std::nullopt) << "truncated UTF-8";
    EXPECT_EQ(textFromZendraUrl("zendra:?text=bad%"), std::nullopt);
    EXPECT_EQ(textFromZendraUrl(""), std::nullopt);
    EXPECT_EQ(textFromZendraUrl("/home/user/file.txt"), std::nullopt);
}

} // namespace
