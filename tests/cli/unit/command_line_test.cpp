#include "cli/command_line.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

using zendra::CommandLine;
using zendra::parseCommandLine;
using zendra::runsApplication;
using Command = CommandLine::Command;

TEST(AppCommandLineTest, RunsWithAnOptionalUrlAndRelaunchOrigin) {
    const auto plain = parseCommandLine({});
    EXPECT_EQ(plain.command, CommandLine::Command::run);
    EXPECT_FALSE(plain.url);

    const auto withUrl = parseCommandLine({"zendra:?text=hi", "--relaunched-from=4242"});
    EXPECT_EQ(withUrl.command, CommandLine::Command::run);
    EXPECT_EQ(withUrl.url, QString("zendra:?text=hi"));
    EXPECT_EQ(withUrl.relaunchedFrom, 4242);
}

TEST(AppCommandLineTest, HelpAndVersionWinAndBadArgumentsAreErrors) {
    EXPECT_EQ(parseCommandLine({"--help", "--bogus"}).command, CommandLine::Command::help);
    EXPECT_EQ(parseCommandLine({"-h"}).command, CommandLine::Command::help);
    EXPECT_EQ(parseCommandLine({"zendra:?text=a", "--version"}).command, CommandLine::Command::version);

    const auto bogus = parseCommandLine({"--bogus"});
    EXPECT_EQ(bogus.command, CommandLine::Command::error);
    EXPECT_TRUE(bogus.error.contains("--bogus"));
    EXPECT_EQ(parseCommandLine({"zendra:?text=a", "zendra:?text=b"}).command, CommandLine::Command::error);
    EXPECT_EQ(parseCommandLine({"--relaunched-from=abc"}).command, CommandLine::Command::error);
    EXPECT_EQ(parseCommandLine({"--relaunched-from=-3"}).command, CommandLine::Command::error);

    // Only a word with a scheme is a URL; a word far from every command names them all.
    const auto unknown = parseCommandLine({"frobnicate"});
    EXPECT_EQ(unknown.command, CommandLine::Command::error);
    EXPECT_TRUE(unknown.error.contains("frobnicate") && unknown.error.contains("get-text") &&
                unknown.error.contains("toggle-editor"))
        << unknown.error.toStdString();
    for (const char* word : {"notes.txt", ":text=a", "1zendra:?text=a", "zen dra:?text=a"}) {
        EXPECT_EQ(parseCommandLine({word}).command, CommandLine::Command::error) << word;
    }
    EXPECT_EQ(parseCommandLine({"x-zendra.v2+a:b"}).url, QString("x-zendra.v2+a:b"));
}

TEST(AppCommandLineTest, HelpIsAlsoACommandAndAMistypedCommandNamesTheNearestOne) {
    EXPECT_EQ(parseCommandLine({"help"}).command, Command::help);
    EXPECT_EQ(parseCommandLine({"help", "set-text"}).command, Command::help);
    EXPECT_EQ(parseCommandLine({"set-text", "help"}).text, QString("help")) << "a text stays a text";

    const auto suggestion = [](const char* word) {
        const auto parsed = parseCommandLine({word});
        const qsizetype start = parsed.error.indexOf("did you mean ");
        return start < 0 ? QString() : parsed.error.mid(start + 13).chopped(1);
    };
    EXPECT_EQ(suggestion("get-txt"), "get-text");
    EXPECT_EQ(suggestion("gettext"), "get-text");
    EXPECT_EQ(suggestion("tgogle-editor"), "toggle-editor") << "swapped neighbours are one edit";
    EXPECT_EQ(suggestion("Clear"), "clear");
    EXPECT_EQ(suggestion("conf"), "config") << "the start of exactly one command";
    EXPECT_EQ(suggestion("hlep"), "help");
    EXPECT_EQ(suggestion("set"), "") << "the start of two commands";
    EXPECT_EQ(suggestion("xy"), "");
    EXPECT_EQ(suggestion("statistics"), "");
}

TEST(AppCommandLineTest, ClientCommandsTakeTheirOwnArguments) {
    EXPECT_EQ(parseCommandLine({"get-text"}).command, Command::getText);
    EXPECT_EQ(parseCommandLine({"toggle-editor"}).command, Command::action);
    EXPECT_EQ(parseCommandLine({"toggle-editor"}).action, zendra::UserAction::toggleEditor);
    EXPECT_EQ(parseCommandLine({"quit"}).action, zendra::UserAction::quit);
    EXPECT_FALSE(runsApplication(parseCommandLine({"quit"})));
    EXPECT_TRUE(runsApplication(parseCommandLine({"settings"}))) << "it starts Zendra when none runs";
    EXPECT_EQ(parseCommandLine({"paste", "now"}).command, Command::error);
    EXPECT_TRUE(parseCommandLine({"watch", "--json"}).json);
    EXPECT_EQ(parseCommandLine({"get-text", "--help"}).command, Command::help);

    // Only an explicit empty text clears; a missing one is an error that says how to clear.
    EXPECT_EQ(parseCommandLine({"set-text", ""}).text, QString(""));
    EXPECT_EQ(parseCommandLine({"set-text", "--", ""}).text, QString(""));
    for (const QStringList& missing : {QStringList{"set-text"}, QStringList{"set-text", "--"}}) {
        const auto parsed = parseCommandLine(missing);
        EXPECT_EQ(parsed.command, Command::error);
        EXPECT_TRUE(parsed.error.contains("'zendra clear'") && parsed.error.contains("'zendra set-text -'"))
            << parsed.error.toStdString();
        EXPECT_FALSE(parsed.error.contains('\n'));
        EXPECT_FALSE(parsed.pointToHelp);
    }
    EXPECT_TRUE(parseCommandLine({"set-text", "-"}).readTextFromInput);
    // The text is taken as given, even when it looks like an option after "--".
    EXPECT_EQ(parseCommandLine({"set-text", "two\nlines "}).text, QString("two\nlines "));
    EXPECT_EQ(parseCommandLine({"set-text", "--", "--version"}).text, QString("--version"));
    EXPECT_EQ(parseCommandLine({"set-text", "--", "--version"}).command, Command::setText);

    for (const QStringList& bad :
         {QStringList{"set-text", "a", "b"}, QStringList{"set-text", "-x"}, QStringList{"get-text", "extra"},
          QStringList{"watch", "--xml"}, QStringList{"zendra:?text=a", "get-text"},
          QStringList{"--panel-item=dock"}}) {
        EXPECT_EQ(parseCommandLine(bad).command, Command::error) << bad.join(' ').toStdString();
    }
    EXPECT_EQ(parseCommandLine({"config", "panel-item", "window"}).configArguments,
              (QStringList{"panel-item", "window"}));
    EXPECT_EQ(parseCommandLine({"config", "--help"}).command, Command::help);
    EXPECT_EQ(parseCommandLine({"--panel-item=statusnotifier"}).panelItem,
              zendra::PanelItemBackend::statusNotifier);
}

// Marks every text it is asked for in the command line's context.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QLatin1String(context) != QLatin1String("zendra::cli")) {
            return {};
        }
        return u'<' + QString::fromUtf8(source) + u'>';
    }
};

TEST(AppCommandLineTest, MessagesAreTranslatedButNotTheWordsTheyQuote) {
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    EXPECT_EQ(parseCommandLine({"--bogus"}).error, QString("<unknown argument '--bogus'>"));
    EXPECT_EQ(parseCommandLine({"set-text", "a", "b"}).error,
              QString("<set-text takes one text; quote a text with spaces>"));
    EXPECT_TRUE(zendra::usageText().startsWith("<Usage: zendra")) << zendra::usageText().toStdString();
    QCoreApplication::removeTranslator(&marking);
}

TEST(AppCommandLineTest, ArgumentsThatAreNotUtf8AreNamed) {
    const auto good = zendra::decodeArguments({"set-text", "caf\xc3\xa9"});
    ASSERT_TRUE(std::holds_alternative<QStringList>(good));
    EXPECT_EQ(std::get<QStringList>(good).at(1), QString::fromUtf8("caf\u00e9"));

    const auto bad = zendra::decodeArguments({"set-text", "caf\xe9"});
    ASSERT_TRUE(std::holds_alternative<QString>(bad));
    EXPECT_TRUE(std::get<QString>(bad).contains("argument 2"));
}

} // namespace
