#include "app/cli/watch.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace zendra;

TEST(PanelLine, ShowsOneLineWithPrefixAndSuffixOrNothing) {
    EXPECT_EQ(panelLine("a\r\nb\u2028c\nd", "> ", " <"), QString("> a b c d <")) << "CR LF is one break";
    EXPECT_EQ(panelLine(" \n\t", "> ", " <"), QString()) << "no visible text: the placeholder, nothing here";
    EXPECT_EQ(watchLine("say \"hi\"\nnow", {}, {}, true),
              R"({"text":"say \"hi\" now","tooltip":"say \"hi\"\nnow"})");
    EXPECT_EQ(watchLine("**bold**", {}, {}, false), "**bold**");
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
        Prefs::set(Settings::text(), QString("second\n"));
        QCoreApplication::processEvents();
        Prefs::set(Settings::prefix(), QString("* "));
        QCoreApplication::processEvents();
    }
    Prefs::set(Settings::text(), QString("after"));
    QCoreApplication::processEvents();
    EXPECT_EQ(out.str(), "first\nsecond\nsecond \n* second \n");
    Settings::text().reset();
    Settings::prefix().reset();
}

} // namespace
