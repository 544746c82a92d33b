#include "../preference_files.h"
#include "prefs/plist_codec.h"

#include <gtest/gtest.h>
#include <limits>

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

TEST(PlistCodec, DatesKeepMillisecondsAndFarYears) {
    const auto utc = [](const char* text) { return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC(); };
    const StoredDictionary entries{
        {"whole", utc("2026-12-06T21:33:55Z")},
        {"millis", utc("2026-12-06T21:33:55.123Z")},
        {"beforeEpoch", utc("1999-12-31T23:59:59.999Z")},
        {"unixEpoch", utc("1970-01-01T00:00:00.001Z")},
        {"farPast", utc("1800-03-01T12:00:00Z")},
        {"farFuture", utc("2400-01-01T00:00:00.5Z")},
        {"nested", StoredArray{utc("2030-01-02T03:04:05.006Z"),
                               StoredDictionary{{"inner", utc("2031-01-02T03:04:05.007Z")}}}},
        {"afterNested", utc("2032-01-01T00:00:00.250Z")},
    };
    const auto back = roundTrip(entries);
    EXPECT_EQ(back, entries);
    for (const auto& [name, object] : back) {
        if (const auto* date = object.date()) {
            EXPECT_EQ(date->timeSpec(), Qt::UTC) << name.toStdString();
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

TEST(PlistCodec, ContainersNestedTooDeepAreLeftOut) {
    const QByteArray open = QByteArray("<array>").repeated(600);
    const QByteArray close = QByteArray("</array>").repeated(600);
    const auto decoded =
        PlistCodec::decode(plist(QByteArray("<dict><key>deep</key>" + open + "<string>x</string>" + close +
                                            "<key>kept</key><integer>1</integer></dict>")
                                     .constData()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->at("kept"), StoredObject(1));
    int levels = 0;
    const StoredObject* level = &decoded->at("deep");
    while (const StoredArray* array = level->array()) {
        ++levels;
        if (array->empty()) {
            break;
        }
        level = &array->front();
    }
    EXPECT_EQ(levels, 511) << "the root is level 0; arrays on levels 1 to 511 stay, the last one empty";
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
