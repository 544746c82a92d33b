#include "cli/watch.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"

#include <QCoreApplication>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using namespace zendra;

// Reads a bar text as a markup parser does: well-formed, and only tags a bar understands.
bool isBarMarkup(const std::string& markup) {
    QXmlStreamReader reader(QStringLiteral("<markup>%1</markup>").arg(QString::fromStdString(markup)));
    const QStringList tags{"markup", "b", "i", "tt", "s", "u"};
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && !tags.contains(reader.name())) {
            return false;
        }
    }
    return !reader.hasError();
}

TEST(WatchLine, ShowsTheRenderedPanelLineAndGivesBarsValidMarkup) {
    EXPECT_EQ(watchLine("**Ship** it\r\nnow", "> ", " <", false), "> Ship it now <")
        << "prefix, rendered text and suffix on one line";

    const auto json = nlohmann::json::parse(
        watchLine("Pay **rent** & <bills>\n`a<b` *now* [site](https://x.example/?a=1&b=2)", "", "!", true));
    const std::string text = json.at("text");
    EXPECT_EQ(text, "Pay <b>rent</b> &amp; &lt;bills&gt; <tt>a&lt;b</tt> <i>now</i> <u>site</u>!");
    EXPECT_TRUE(isBarMarkup(text)) << text;
    EXPECT_EQ(json.at("tooltip"), "Pay **rent** &amp; &lt;bills&gt;\n`a&lt;b` *now* "
                                  "[site](https://x.example/?a=1&amp;b=2)")
        << "the text alone, shown literally";
    EXPECT_EQ(json.at("class"), "text");
    EXPECT_EQ(json.at("alt"), "text");
    EXPECT_TRUE(isBarMarkup(json.at("tooltip")));

    // Nothing visible: the placeholder keeps the module on the bar, and clickable.
    const auto empty = nlohmann::json::parse(watchLine(" \n\t", "> ", " <", true));
    EXPECT_EQ(empty.at("text"), "\u2776");
    EXPECT_EQ(empty.at("class"), "empty");
    EXPECT_EQ(empty.at("alt"), "empty");
    EXPECT_EQ(watchLine({}, "> ", {}, false), "\u2776");
}

TEST(WatchCommand, PrintsTheCurrentLineThenEachDistinctChangeOnce) {
    Settings::text().reset();
    Settings::prefix().reset();
    Prefs::set(Settings::text(), QString("first"));
    std::ostringstream out;
    {
        WatchCommand watch(out, false);
        ASSERT_TRUE(watch.start());
        Prefs::set(Settings::text(), QString("second"));
        QCoreApplication::processEvents();
        Prefs::set(Settings::text(), QString("second"));
        Prefs::set(Settings::text(), QString("*second*"));
        QCoreApplication::processEvents();
        Prefs::set(Settings::prefix(), QString("* "));
        QCoreApplication::processEvents();
    }
    Prefs::set(Settings::text(), QString("after"));
    QCoreApplication::processEvents();
    EXPECT_EQ(out.str(), "first\nsecond\n* second\n");
    Settings::text().reset();
    Settings::prefix().reset();
}

} // namespace
