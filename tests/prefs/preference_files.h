#pragma once

#include "prefs/plist_codec.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>

namespace zendra::Prefs {
// Readable failure messages for stored objects.
inline void PrintTo(const StoredObject& object, std::ostream* out) {
    *out << object.debugDescription().toStdString();
}
} // namespace zendra::Prefs

namespace zendra::test {

// The entries of a preferences file as it is on disk now; none when it is missing or unreadable.
inline Prefs::StoredDictionary entriesOnDisk(const QString& path) {
    QFile file(path);
    return Prefs::PlistCodec::decode(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray())
        .value_or(Prefs::StoredDictionary{});
}

// Truncates and rewrites the file, as a plain editor does.
inline void writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Renames a finished file over it, as a careful editor does.
inline void replaceAtomically(const QString& path, const Prefs::StoredDictionary& entries) {
    const QString temporary = path + ".by-editor";
    writeInPlace(temporary, Prefs::PlistCodec::encode(entries));
    ASSERT_EQ(std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()), 0);
}

} // namespace zendra::test
