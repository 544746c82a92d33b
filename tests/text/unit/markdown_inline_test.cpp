#include "text/markdown_inline.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

using Markdown::InlineStyle;
using Markdown::renderInline;

QString shown(const char16_t* source) {
    return renderInline(QString::fromUtf16(source)).text;
}

// The style of the unit at `position`.
InlineStyle styleAt(const Markdown::InlineText& text, qsizetype position) {
    for (const auto& run : text.runs) {
        if (position >= run.start && position < run.start + run.length) {
            return run.style;
        }
    }
    ADD_FAILURE() << "no run covers " << position;
    return {};
}

TEST(MarkdownInline, SpansAreStyledAndTheirMarkersRemoved) {
    const auto text =
        renderInline(u"a *em* **strong** `co de` ~~gone~~ [link](https://x.example) ***both***");
    EXPECT_EQ(text.text, QStringLiteral("a em strong co de gone link both"));
    EXPECT_EQ(styleAt(text, 0), InlineStyle{});
    EXPECT_TRUE(styleAt(text, text.text.indexOf(u"em")).emphasis);
    EXPECT_TRUE(styleAt(text, text.text.indexOf(u"strong")).strong);
    EXPECT_TRUE(styleAt(text, text.text.indexOf(u"co de")).code) << "code keeps its inner space";
    EXPECT_TRUE(styleAt(text, text.text.indexOf(u"gone")).strikethrough);
    EXPECT_TRUE(styleAt(text, text.text.indexOf(u"link")).link);
    const InlineStyle both = styleAt(text, text.text.indexOf(u"both"));
    EXPECT_TRUE(both.emphasis && both.strong);

    // Runs are adjacent and cover everything.
    qsizetype next = 0;
    for (const auto& run : text.runs) {
        EXPECT_EQ(run.start, next);
        next += run.length;
    }
    EXPECT_EQ(next, text.text.size());
}

TEST(MarkdownInline, BlockSyntaxStaysLiteral) {
    for (const char16_t* line :
         {u"# Title", u"###### six", u"1. first", u"12) twelfth", u"> quote", u"- item", u"+ item", u"* item",
          u"---", u"***", u"_ _ _", u"```js", u"~~~", u"[ref]: /url", u"#hashtag", u"2024. plan"}) {
        EXPECT_EQ(shown(line), QString::fromUtf16(line)) << QString::fromUtf16(line).toStdString();
    }
    // Indentation is text, not a code block.
    EXPECT_EQ(shown(u"    indented"), QStringLiteral("    indented"));
    // Inline syntax right after a would-be block marker still works.
    const auto list = renderInline(u"- **bold** item");
    EXPECT_EQ(list.text, QStringLiteral("- bold item"));
    EXPECT_TRUE(styleAt(list, 2).strong);
    // Starting with emphasis or a code span is not block syntax.
    EXPECT_TRUE(styleAt(renderInline(u"*lean* start"), 0).emphasis);
    EXPECT_TRUE(styleAt(renderInline(u"```x``` tail"), 0).code);
    EXPECT_TRUE(styleAt(renderInline(u"[a](b) tail"), 0).link);
}

TEST(MarkdownInline, EscapesEntitiesHtmlAndAutolinks) {
    EXPECT_EQ(shown(u"\\*not\\* \\# \\\\"), QStringLiteral("*not* # \\"));
    EXPECT_EQ(shown(u"&amp; &copy; &#65; &#x1F600; &#0; &bogus; &lt;b&gt;"),
              QString::fromUtf16(u"& \u00A9 A \U0001F600 \uFFFD &bogus; <b>"));
    EXPECT_EQ(shown(u"<b>raw</b>"), QStringLiteral("<b>raw</b>"));
    const auto autolink = renderInline(u"see <https://x.example>");
    EXPECT_EQ(autolink.text, QStringLiteral("see https://x.example"));
    EXPECT_TRUE(styleAt(autolink, 4).link);
    // Bare addresses are not links in inline rendering.
    EXPECT_FALSE(styleAt(renderInline(u"https://x.example"), 0).link);
    // Images show their alt text.
    EXPECT_EQ(shown(u"![alt](pic.png)"), QStringLiteral("alt"));
    EXPECT_EQ(renderInline(QStringView(u"nul\u0000char", 8)).text, QString::fromUtf16(u"nul\uFFFDchar"));
}

TEST(MarkdownInline, WhitespaceAtTheEndsAndLineBreaksStayOnOneLine) {
    EXPECT_EQ(shown(u"  two **x**  "), QStringLiteral("  two x  "));
    EXPECT_EQ(shown(u"a\r\nb\nc\u2028d\u2029e\u0085f"), QStringLiteral("a b c d e f"));
    EXPECT_EQ(shown(u"hard  \nbreak"), QStringLiteral("hard   break"));
    EXPECT_EQ(shown(u""), QString());
    EXPECT_EQ(shown(u"   "), QStringLiteral("   "));
}

TEST(MarkdownInline, LimitCutsWholeGraphemesAndReportsIt) {
    QString longText;
    for (int i = 0; i < 2000; ++i) {
        longText += QString::fromUtf16(u"e\u0301");
    }
    const auto cut = renderInline(longText, 101);
    EXPECT_TRUE(cut.isCut);
    EXPECT_LE(cut.text.size(), 102);
    EXPECT_EQ(cut.text.size() % 2, 0) << "an accent is never separated from its letter";

    const auto styled =
        renderInline(QStringLiteral("**") + QString(5000, u'x') + QStringLiteral("** tail"), 40);
    EXPECT_TRUE(styled.isCut);
    EXPECT_EQ(styled.text.size(), 40);
    ASSERT_EQ(styled.runs.size(), 1u);
    EXPECT_TRUE(styled.runs.front().style.strong) << "a span cut in its middle keeps its style";

    // A link whose address is long still shows as a link when its text fits.
    const auto link = renderInline(
        QStringLiteral("[go](https://x.example/") + QString(5000, u'a') + QStringLiteral(") now"), 20);
    EXPECT_EQ(link.text, QStringLiteral("go now"));
    EXPECT_FALSE(link.isCut);
    EXPECT_TRUE(styleAt(link, 0).link);
}

// A limited rendering may read only the start of a long text; whatever it reads, it shows what the
// whole rendering shows there, also when the meaning of the start is settled far ahead.
TEST(MarkdownInline, LimitedRenderingOfALongTextShowsTheStartOfTheWhole) {
    const std::pair<const char16_t*, const char16_t*> ends[] = {
        {u"", u""},
        {u"*", u"end*"},
        {u"_", u"end_"},
        {u"~~", u"end~~"},
        {u"`", u"`"},
        {u"```js ", u"```"},
        {u"[", u"](https://x.example)"},
        {u"[a](/u \"t ) ", u"\")"},
        {u"2 * 3 ", u""},
        {u"* ", u""},
        {u"12) ", u""},
        {u"  ", u"\r\n"},
        {u"one\r\ntwo ", u" \n"},
        {u"e\u0301", u""},
    };
    for (const char16_t* words :
         {u"Plan *the* week, [read](https://x.io) **mail** ", u"Plan *the* week **now** "}) {
        QString filler;
        while (filler.size() < 4000) {
            filler += QString::fromUtf16(words);
        }
        for (const auto& [before, after] : ends) {
            const QString source = QString::fromUtf16(before) + filler + QString::fromUtf16(after);
            const auto whole = renderInline(source);
            for (const qsizetype limit : {20, 60}) {
                SCOPED_TRACE(QString::fromUtf16(before).toStdString() + " " + std::to_string(limit));
                const auto limited = renderInline(source, limit);
                EXPECT_GE(limited.text.size(), std::min(limit, whole.text.size()));
                EXPECT_EQ(limited.text, whole.text.left(limited.text.size()));
                for (qsizetype i = 0; i < limited.text.size(); ++i) {
                    ASSERT_EQ(styleAt(limited, i), styleAt(whole, i)) << "at " << i;
                }
            }
        }
    }
}

// Whatever the limit, the limited rendering is a start of the whole one and says "cut" exactly
// when it holds less: also when the limit falls where one piece of text ends and the next begins,
// on leading blanks, or on the last unit.
TEST(MarkdownInline, CutIsReportedExactlyWhenTextIsDropped) {
    QString filler;
    while (filler.size() < 6000) {
        filler += QStringLiteral("ab *cd* ef **gh** ");
    }
    const QString sources[] = {
        QStringLiteral("ab *cd* ef"),
        QStringLiteral("   x"),
        QStringLiteral("a **b** `c` [d](e) &amp; f  "),
        QStringLiteral("ab *cd* ") + filler.left(300),
        filler,
    };
    for (const QString& source : sources) {
        const auto whole = renderInline(source);
        EXPECT_FALSE(whole.isCut);
        for (qsizetype limit = 0; limit <= std::min<qsizetype>(whole.text.size() + 2, 40); ++limit) {
            SCOPED_TRACE(source.left(20).toStdString() + " at " + std::to_string(limit));
            const auto limited = renderInline(source, limit);
            EXPECT_EQ(limited.text, whole.text.left(limited.text.size()));
            EXPECT_GE(limited.text.size(), std::min(limit, whole.text.size()));
            EXPECT_EQ(limited.isCut, limited.text.size() < whole.text.size());
        }
    }
}

} // namespace
