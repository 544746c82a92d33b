#include "platform/linux/autostart_desktop_entry.h"

#include <QStringView>

namespace zendra::autostart {

namespace {

bool needsQuoting(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty()) {
        return true;
    }
    for (const QChar c : argument) {
        if (reserved.contains(c) || c.category() == QChar::Other_Control) {
            return true;
        }
    }
    return false;
}

// The value of `key` in the [Desktop Entry] group, if the group exists; null when absent.
struct Group {
    bool found = false;
    QString hidden;
    QString gnomeEnabled;
};

Group readMainGroup(const QString& text) {
    Group group;
    bool inMain = false;
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            if (inMain) {
                break; // only the first [Desktop Entry] group counts
            }
            inMain = line == u"[Desktop Entry]";
            group.found = group.found || inMain;
            continue;
        }
        if (!inMain) {
            continue;
        }
        const auto equals = line.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QStringView key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed().toString();
        if (key == u"Hidden") {
            group.hidden = value;
        } else if (key == u"X-GNOME-Autostart-enabled") {
            group.gnomeEnabled = value;
        }
    }
    return group;
}

} // namespace

QString quoteExecArgument(const QString& argument) {
    QString escaped;
    escaped.reserve(argument.size() + 2);
    const bool quote = needsQuoting(argument);
    for (const QChar c : argument) {
        if (c == u'%') {
            escaped += QStringLiteral("%%");
            continue;
        }
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) {
            escaped += u'\\';
        }
        escaped += c;
    }
    return quote ? u'"' + escaped + u'"' : escaped;
}

QString execLine(const QString& program, const QStringList& arguments) {
    QStringList parts{quoteExecArgument(program)};
    for (const auto& argument : arguments) {
        parts.append(quoteExecArgument(argument));
    }
    return parts.join(u' ');
}

QString escapeValue(const QString& value) {
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else if (c == u' ' && i == 0) {
            escaped += QStringLiteral("\\s"); // readers strip leading spaces otherwise
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString autostartEntryText(const QString& name, const QString& program, const QStringList& arguments) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(escapeValue(name), escapeValue(execLine(program, arguments)));
}

bool isEnabledEntry(const QString& text) {
    const Group group = readMainGroup(text);
    return group.found && group.hidden != QLatin1String("true") &&
           group.gnomeEnabled != QLatin1String("false");
}

} // namespace zendra::autostart
