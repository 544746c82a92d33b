#include "../preference_files.h"
#include "prefs/plist_codec.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace zendra::Prefs {

namespace {

StoredDictionary roundTrip(const StoredDictionary& entries) {
    QString error;
    auto decoded = PlistCodec::decode(PlistCodec::encode(entries), &error);
    EXPECT_TRUE(decoded) << error.toStdString();
    return decoded.value_or(StoredDictionary{});
}

QByteArray plist(const char* body) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">") + body +
           "</plist>";
}

TEST(PlistCodec, ScalarsKeepTheirKindsAndValues) {
    const StoredDictionary entries{
        {"true", true},
        {"false", false},
        {"zero", 0},
        {"one", 1},
        {"negative", std::int64_t{-42}},
        {"min", std::numeric_limits<std::int64_t>::min()},
        {"max", std::numeric_limits<std::int64_t>::max()},
        {"bigUnsigned", std::numeric_limits<std::uint64_t>::max()},
        {"justAboveSigned", std::uint64_t{9223372036854775808ULL}},
        {"real", 0.1},
        {"wholeReal", 4.0},
        {"tinyReal", 5e-324},
        {"hugeReal", -1.7976931348623157e308},
        {"inf", std::numeric_limits<double>::infinity()},
        {"-inf", -std::numeric_limits<double>::infinity()},
        {"string", "plain"},
        {"markup", "<key>&amp;</key> \"quoted\" 'single' ]]>"},
        {"controls", QString::fromUtf8("tab\there\r\nline\x01")},
        {"unicode", QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80 \xe2\x80\x8f")},
        {"emptyString", ""},
        {"data", QByteArray("\x00\x01\xfe\xff binary", 12)},
        {"emptyData", QByteArray()},
    };
    // Stored objects compare kind and value: boolean true is not integer 1, nor 4.0 the integer 4.
    EXPECT_EQ(roundTrip(entries), entries);
}

TEST(PlistCodec, SmallUnsignedReadsBackSignedWithTheSameStoredForm) {
    const StoredObject unsignedFive(std::uint64_t{5});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto back = roundTrip({{"n", unsignedFive}, {"nan", nan}});
    EXPECT_EQ(back.at("n"), StoredObject(5));
    EXPECT_TRUE(PlistCodec::sameStoredForm(unsignedFive, back.at("n")));
    EXPECT_TRUE(std::isnan(back.at("nan").number()->toDouble()));
    EXPECT_FALSE(PlistCodec::sameStoredForm(StoredObject(std::int64_t{-1}),
                                            StoredObject(std::numeric_limits<std::uint64_t>::max())));
    EXPECT_FALSE(PlistCodec::sameStoredForm(StoredObject(true), StoredObject(1)));
    EXPECT_FALSE(PlistCodec::sameStoredForm(StoredObject(1.0), StoredObject(1)));
    EXPECT_TRUE(PlistCodec::sameStoredForm(StoredObject(nan), StoredObject(nan)));
    EXPECT_TRUE(PlistCodec::sameStoredForm(StoredObject(StoredArray{nan}), StoredObject(StoredArray{nan})));
    EXPECT_FALSE(PlistCodec::sameStoredForm(StoredObject(StoredArray{1}), StoredObject(StoredArray{1, 2})));
}

TEST(PlistCodec, DatesAreWholeSecondsThatEveryReaderAccepts) {
    const auto utc = [](const char* text) { return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC(); };
    const StoredDictionary entries{
        {"whole", utc("2026-12-06T21:33:55Z")},
        {"millis", utc("2026-12-06T21:33:55.123Z")},
        {"beforeEpoch", utc("1999-12-31T23:59:59.999Z")},
        {"farPast", utc("1800-03-01T12:00:00Z")},
        {"farFuture", utc("2400-01-01T00:00:00.5Z")},
        {"nested", StoredArray{utc("2030-01-02T03:04:05.006Z"),
                               StoredDictionary{{"inner", utc("0100-01-02T03:04:05Z")}}}},
        {"beyond", QDateTime(QDate(12000, 1, 1), QTime(0, 0), Qt::UTC)},
        {"before", QDateTime(QDate(-50, 1, 1), QTime(0, 0), Qt::UTC)},
    };
    const StoredDictionary expected{
        {"whole", utc("2026-12-06T21:33:55Z")},
        {"millis", utc("2026-12-06T21:33:55Z")},
        {"beforeEpoch", utc("1999-12-31T23:59:59Z")},
        {"farPast", utc("1800-03-01T12:00:00Z")},
        {"farFuture", utc("2400-01-01T00:00:00Z")},
        {"nested",
         StoredArray{utc("2030-01-02T03:04:05Z"), StoredDictionary{{"inner", utc("0100-01-02T03:04:05Z")}}}},
        {"beyond", utc("9999-12-31T23:59:59Z")},
        {"before", utc("0001-01-01T00:00:00Z")},
    };
    const QByteArray xml = PlistCodec::encode(entries);
    QString error;
    const auto back = PlistCodec::decode(xml, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(*back, expected);
    EXPECT_TRUE(PlistCodec::sameStoredForm(StoredObject(entries), StoredObject(*back)));
    const QByteArrayList dates = xml.split('<');
    for (const QByteArray& piece : dates) {
        if (piece.startsWith("date>")) {
            EXPECT_TRUE(QRegularExpression("^date>\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$")
                            .match(QString::fromLatin1(piece))
                            .hasMatch())
                << piece.toStdString();
        }
    }
}

TEST(PlistCodec, ContainersNestAndNamesAreArbitrary) {
    const StoredDictionary entries{
        {"", "empty name"},
        {QString::fromUtf8("\xe5\x90\x8d\xe5\x89\x8d <&>"), "non-ASCII name with markup"},
        {"list",
         StoredArray{1, "two", 3.5, StoredArray{}, StoredDictionary{}, StoredArray{StoredArray{true}}}},
        {"map", StoredDictionary{{"a", StoredDictionary{{"b", StoredArray{QByteArray("x")}}}}, {"", 0}}},
    };
    EXPECT_EQ(roundTrip(entries), entries);
    EXPECT_EQ(roundTrip({}), StoredDictionary{});
}

TEST(PlistCodec, BadInputIsRejectedWithAReason) {
    QString error;
    EXPECT_EQ(PlistCodec::decode(QByteArray()), StoredDictionary{});
    for (const QByteArray& bad :
         {QByteArray("not a plist"), QByteArray("<plist><dict><key>a</key><string>x</dict>"),
          plist("<array><integer>1</integer></array>"), plist("<string>x</string>"), QByteArray("   \n")}) {
        error.clear();
        EXPECT_FALSE(PlistCodec::decode(bad, &error)) << bad.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PlistCodec, UnknownNodesAreDroppedAndTheRestKept) {
    // A binary property list with a UID (what keyed archives use) next to ordinary entries:
    // {"u": UID 7, "s": "ok"}, then the offset table and the trailer.
    const auto binary =
        QByteArray::fromHex("62706c6973743030d201020304517551738007526f6b080d0f1113"
                            "0000000000000101000000000000000500000000000000000000000000000016");
    const auto decoded = PlistCodec::decode(binary);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (StoredDictionary{{"s", "ok"}}));
}

// A binary property list whose object i is an array holding object i + 1, the last one empty; with
// `shared`, each array holds the next object twice (a few hundred bytes that expand exponentially).
QByteArray nestedBinary(std::uint32_t levels, bool shared) {
    const auto bigEndian = [](QByteArray& out, std::uint64_t value, int width) {
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
            out.append(static_cast<char>((value >> shift) & 0xFF));
        }
    };
    QByteArray out("bplist00");
    std::vector<std::uint64_t> offsets;
    for (std::uint32_t i = 0; i < levels; ++i) {
        offsets.push_back(static_cast<std::uint64_t>(out.size()));
        const bool last = i + 1 == levels;
        out.append(static_cast<char>(last ? 0xA0 : shared ? 0xA2 : 0xA1));
        for (int copy = 0; !last && copy < (shared ? 2 : 1); ++copy) {
            bigEndian(out, i + 1, 4);
        }
    }
    const auto table = static_cast<std::uint64_t>(out.size());
    for (const auto offset : offsets) {
        bigEndian(out, offset, 4);
    }
    out.append(QByteArray(6, '\0'));
    out.append('\4').append('\4');
    bigEndian(out, levels, 8);
    bigEndian(out, 0, 8);
    bigEndian(out, table, 8);
    return out;
}

QByteArray dataFile(const char* name) {
    QFile file(QStringLiteral(ZENDRA_PREFS_DATA "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(PlistCodec, HostileNestingIsRefusedBeforeAnyTreeIsBuilt) {
    const auto wrapped = [](int levels) {
        return QByteArray("<dict><key>deep</key>") + QByteArray("<array>").repeated(levels) +
               QByteArray("</array>").repeated(levels) + "<key>kept</key><integer>1</integer></dict>";
    };
    EXPECT_TRUE(PlistCodec::decode(plist(wrapped(511).constData()))) << "511 levels below the root are fine";
    // Root dictionary to the deepest leaf nest in a binary file too; its root is an array, so wrap it.
    EXPECT_TRUE(PlistCodec::decode(
        PlistCodec::encode({{"deep", PlistCodec::decode(plist(wrapped(511).constData()))->at("deep")}})));

    const QByteArray hostile[] = {
        plist(wrapped(512).constData()),
        plist(wrapped(200'000).constData()),
        plist("<dict><key>a&#0;b</key><string>x</string></dict>"),
        QByteArray("<plist><dict><key>a\0b</key><string>x</string></dict></plist>", 54),
        nestedBinary(100'000, false),
        nestedBinary(200, true),
        QByteArray("bplist00") + QByteArray(40, '\xff'),
        dataFile("deep-arrays.xml"),
        dataFile("deep-arrays.bplist"),
        dataFile("shared-arrays.bplist"),
    };
    for (const QByteArray& bytes : hostile) {
        QString error;
        EXPECT_FALSE(PlistCodec::decode(bytes, &error)) << bytes.left(80).toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PlistCodec, NulCharactersInNamesAndStringsSurviveARewrite) {
    const QString nulKey = QString::fromUtf8("\xc3\xa9") + QChar(u'\0') + u'x';
    const auto keys = PlistCodec::decode(dataFile("key-with-nul.bplist"));
    ASSERT_TRUE(keys);
    EXPECT_EQ(*keys, (StoredDictionary{{nulKey, "v"}, {"text", "Ship it"}}));

    const auto strings = PlistCodec::decode(dataFile("strings-with-nul.bplist"));
    ASSERT_TRUE(strings);
    const StoredObject foreign(QString::fromUtf8("caf\xc3\xa9") + QChar(u'\0') + QStringLiteral("tail"));
    EXPECT_EQ(strings->at("foreign"), foreign);
    StoredDictionary rewritten = *strings;
    rewritten.insert_or_assign("text", "changed");
    rewritten.insert_or_assign(nulKey, 1);
    EXPECT_EQ(roundTrip(rewritten), rewritten);
}

TEST(PlistCodec, WrittenXmlIsReadByAnIndependentReader) {
    if (QStandardPaths::findExecutable("python3").isEmpty()) {
        GTEST_SKIP() << "python3 is not installed";
    }
    const StoredDictionary plain{
        {"text", QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80 <&> \"q\" ]]>")},
        {"when", QDateTime(QDate(3000, 5, 6), QTime(7, 8, 9, 500), Qt::UTC)},
        {"list", StoredArray{1, -2, 2.5, true, QByteArray("\x00\xff", 2)}},
    };
    const StoredDictionary awkward{
        {"text", QString::fromUtf8("a\x01b\x1f") + QChar(0xFFFE) + QChar(0xFFFF) + u'\r'},
    };
    for (const auto& entries : {plain, awkward}) {
        QProcess python;
        python.start("python3", {"-c", "import plistlib, sys; d = plistlib.loads(sys.stdin.buffer.read()); "
                                       "print(sorted(d))"});
        ASSERT_TRUE(python.waitForStarted());
        python.write(PlistCodec::encode(entries));
        python.closeWriteChannel();
        ASSERT_TRUE(python.waitForFinished());
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        EXPECT_EQ(roundTrip(entries).size(), entries.size());
    }
    EXPECT_EQ(roundTrip(awkward), awkward);
    // An XML reader takes a lone U+FEFF for a byte order mark and drops it.
    const StoredDictionary mark{{"text", QString(QChar(0xFEFF))}};
    EXPECT_EQ(roundTrip(mark), mark);
    const StoredDictionary loneSurrogate{{QString(QChar(0xDC00)), QString(QChar(0xD800))}};
    EXPECT_EQ(roundTrip(loneSurrogate), loneSurrogate);
}

TEST(PlistCodec, HandEditedFileReads) {
    const auto decoded =
        PlistCodec::decode(plist("<dict>\n  <key>text</key><string>Ship it</string>"
                                 "<key>size</key><integer>-7</integer>"
                                 "<key>on</key><true/><key>when</key><date>2026-01-01T00:00:00Z</date>"
                                 "<key>text</key><string>later wins</string></dict>"));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->at("text"), StoredObject("later wins"));
    EXPECT_EQ(decoded->at("size"), StoredObject(-7));
    EXPECT_EQ(decoded->at("on"), StoredObject(true));
    EXPECT_EQ(decoded->size(), 4u);

    // A comment holding a date tag shifts the texts against the nodes; seconds must still be right.
    const auto shifted =
        PlistCodec::decode(plist("<!-- <date>2020-01-01T00:00:00.9Z</date> --><dict><key>d</key>"
                                 "<date>2010-05-06T07:08:09.5Z</date></dict>"));
    ASSERT_TRUE(shifted);
    EXPECT_EQ(*shifted->at("d").date(), QDateTime::fromString("2010-05-06T07:08:09Z", Qt::ISODate).toUTC());
}

} // namespace
} // namespace zendra::Prefs
