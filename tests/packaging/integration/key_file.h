#pragma once

#include <QFile>
#include <QString>
#include <map>
#include <string>

namespace zendra::test {

// The keys of one group of a desktop entry or D-Bus service file, as the desktop reads them: a key
// that appears twice is a fault the caller should see, so its values are joined with a newline.
// Plain strings, so that failed comparisons print readably.
inline std::map<std::string, std::string> readKeyFileGroup(const QString& path, const QString& group) {
    std::map<std::string, std::string> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    bool inGroup = false;
    for (const QString& rawLine : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            inGroup = line == u'[' + group + u']';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || equals < 0) {
            continue;
        }
        const std::string key = line.left(equals).trimmed().toStdString();
        const std::string value = line.mid(equals + 1).trimmed().toStdString();
        keys[key] = keys.contains(key) ? keys[key] + '\n' + value : value;
    }
    return keys;
}

} // namespace zendra::test
