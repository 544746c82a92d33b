#include "platform/linux/autostart_desktop_entry.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

using namespace zendra::autostart;

// How a desktop session reads an Exec value back into arguments: string unescaping first, then the
// quoting rules, then "%%" to "%".
QStringList readExec(const QString& value) {
    const QHash<QChar, QChar> escapes{{u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u's', u' '}};
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            ++i;
            text += escapes.value(value[i], value[i]);
        } else {
            text += value[i];
        }
    }
    QStringList arguments;
    QString current;
    bool quoted = false, inArgument = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < text.size()) {
                current += text[++i];
            } else if (c == u'"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == u'"') {
            quoted = inArgument = true;
        } else if (c == u' ') {
            if (inArgument) {
                arguments << current;
            }
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments << current;
    }
    for (auto& argument : arguments) {
        argument.replace("%%", "%");
    }
    return arguments;
}

TEST(AutostartEntryTest, ExecArgumentsSurviveTheRoundTrip) {
    const QStringList awkward[] = {
        {"/usr/bin/zendra"},
        {"/opt/My Apps/zendra", "--flag"},
        {"/home/a\"b/zen$dra", "back\\slash", "tick`s", "100%", ""},
        {"/tmp/(x)/z;e&n|d<r>a*?#~", "it's"},
        {" /leading/space", "two\nlines", "tab\there"},
    };
    for (const auto& command : awkward) {
        const QString value = escapeValue(execLine(command.front(), command.mid(1)));
        EXPECT_EQ(readExec(value), command) << value.toStdString();
    }
}

TEST(AutostartEntryTest, QuotingOnlyWhereTheFormatRequiresIt) {
    EXPECT_EQ(quoteExecArgument("/usr/bin/zendra"), "/usr/bin/zendra");
    EXPECT_EQ(quoteExecArgument("/a b"), "\"/a b\"");
    EXPECT_EQ(quoteExecArgument("50%"), "50%%") << "a percent sign alone needs no quotes";
    EXPECT_EQ(quoteExecArgument("a\\b"), "\"a\\\\b\"");
    EXPECT_EQ(escapeValue(quoteExecArgument("a\\b")), "\"a\\\\\\\\b\"") << "four backslashes in the file";
}

TEST(AutostartEntryTest, EnabledUnlessHiddenOrSwitchedOff) {
    const QString base = autostartEntryText("Zendra", "/usr/bin/zendra", {});
    EXPECT_TRUE(isEnabledEntry(base));
    EXPECT_TRUE(base.contains("\nExec=/usr/bin/zendra\n"));

    const std::pair<QString, bool> cases[] = {
        {"[Desktop Entry]\nExec=z\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=z\nHidden = true\n", false},
        {"[Desktop Entry]\nExec=z\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=z\nX-GNOME-Autostart-enabled=false\n", false},
        {"# comment\n\n[Desktop Entry]\nExec=z\n[Desktop Action x]\nHidden=true\n", true},
        {"[Other]\nExec=z\n", false},
        {"", false},
        {"garbage\x01\xff", false},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(isEnabledEntry(text), expected) << text.toStdString();
    }
}

} // namespace
