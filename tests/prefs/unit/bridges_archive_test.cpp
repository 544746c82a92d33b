#include "prefs/color/color_bridge.h"
#include "prefs/file_suite.h"
#include "prefs/prefs.h"
#include "printed.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace zendra;

namespace archives {

// An archivable type with a field it checks when it is unarchived.
struct Bookmark {
    QString title;
    std::int64_t position = 0;

    static constexpr std::string_view archiveClassName = "Bookmark";
    static constexpr std::int64_t archiveVersion = 2;
    void encode(Prefs::KeyedArchiver& archiver) const {
        archiver.encode("title", title);
        archiver.encode("position", position);
    }
    static std::optional<Bookmark> decode(const Prefs::KeyedUnarchiver& unarchiver) {
        auto title = unarchiver.decode<QString>("title");
        auto position = unarchiver.decode<std::int64_t>("position");
        if (!title || !position || *position < 0) {
            return std::nullopt;
        }
        return Bookmark{*title, *position};
    }
    bool operator==(const Bookmark&) const = default;
};

// Archives a field under a reserved name, which no archive can hold.
struct Reserved {
    static constexpr std::string_view archiveClassName = "Reserved";
    static constexpr std::int64_t archiveVersion = 1;
    void encode(Prefs::KeyedArchiver& archiver) const { archiver.encode("$class", "Bookmark"); }
    static std::optional<Reserved> decode(const Prefs::KeyedUnarchiver&) { return Reserved{}; }
};

} // namespace archives

namespace {

using namespace archives;
using Prefs::StoredObject;
using zendra::test::isOneLine;
using zendra::test::printedBy;

struct ArchiveBridgeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(ArchiveBridgeTest, ColorsRoundTripExactlyAsArchivedData) {
    Prefs::Key<std::optional<QColor>> color("color", suite);
    const QColor colors[] = {
        QColor::fromRgba64(1, 65534, 32768, 12345), QColor(255, 0, 0, 128),
        QColor::fromRgbF(1.5f, -0.25f, 0.0001f, 0.5f),                         // outside [0, 1]: extended
        QColor::fromRgbF(0.3f, 0.2f, 0.00001f).convertTo(QColor::ExtendedRgb), // extended, in range
    };
    for (const QColor& original : colors) {
        Prefs::set(color, std::optional<QColor>(original));
        const auto object = suite->object("color");
        const QByteArray* data = object ? object->data() : nullptr;
        ASSERT_NE(data, nullptr) << "a colour is stored as data";
        EXPECT_TRUE(data->startsWith("bplist00"));
        const auto read = Prefs::get(color);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, original) << original.name(QColor::HexArgb).toStdString();
        EXPECT_EQ(read->spec(), original.spec());
    }

    // Other colour models are kept as the same colour in RGB.
    const QColor hsv = QColor::fromHsv(120, 200, 100, 50);
    Prefs::set(color, std::optional<QColor>(hsv));
    EXPECT_EQ(Prefs::get(color), hsv.toRgb());

    Prefs::set(color, std::optional<QColor>());
    EXPECT_FALSE(suite->hasPersistentEntry("color")) << "an empty colour setting has no entry";
    Prefs::set(color, std::optional<QColor>(QColor()));
    EXPECT_FALSE(suite->hasPersistentEntry("color")) << "an invalid colour is not stored";

    // The archive names its class, colour space and components.
    const auto archive =
        Prefs::decodeArchive(*Prefs::ColorBridge::serialize(QColor::fromRgba64(65535, 0, 0, 16384)));
    ASSERT_TRUE(archive.contents) << archive.error;
    EXPECT_EQ(archive.contents->className, "Color");
    EXPECT_EQ(archive.contents->version, 1);
    EXPECT_EQ(archive.contents->fields.at("colorSpace"), StoredObject("sRGB"));
    EXPECT_EQ(archive.contents->fields.at("red"), StoredObject(1.0));
    EXPECT_EQ(archive.contents->fields.at("alpha"), StoredObject(16384 / 65535.0));
}

TEST_F(ArchiveBridgeTest, DamagedDataReadsAsTheDefaultAndPrintsOneLine) {
    Prefs::Key<std::optional<QColor>> color("color", suite);
    Prefs::set(color, std::optional<QColor>(Qt::blue));
    QByteArray data = *suite->object("color")->data();

    const auto archiveOf = [](const QString& className, std::int64_t version,
                              Prefs::StoredDictionary fields) {
        return *Prefs::encodeArchive({className, version, std::move(fields)});
    };
    const QByteArray damaged[] = {
        data.left(data.size() / 2),                                    // truncated
        QByteArray("definitely not an archive"),                       // no property list
        archiveOf("Color", 1, {{"colorSpace", "sRGB"}, {"red", 2.0}}), // fields out of range
        archiveOf("Color", 9, {}),                                     // from a newer version
    };
    for (const QByteArray& bytes : damaged) {
        suite->setObject("color", StoredObject(bytes));
        const std::string output = printedBy([&] {
            for (int read = 0; read < 3; ++read) {
                EXPECT_EQ(Prefs::get(color), std::nullopt);
            }
        });
        EXPECT_TRUE(isOneLine(output)) << "[" << output << "]";
        EXPECT_NE(output.find("\"color\""), std::string::npos) << output;
    }
}

TEST_F(ArchiveBridgeTest, CraftedColorInAFileIsReportedOnceWithItsKeyAndFile) {
    // A binary preferences file whose colour archive names its space with U+0000 in a UTF-16 string.
    QTemporaryDir dir;
    const QString path = dir.filePath("org.zendra.Zendra.plist");
    ASSERT_TRUE(QFile::copy(ZENDRA_PREFS_DATA "/color-with-nul.bplist", path));
    std::shared_ptr<Prefs::FileSuite> file;
    const std::string output = printedBy([&] {
        file = Prefs::FileSuite::open(path);
        Prefs::Key<std::optional<QColor>> color("color", file);
        for (int read = 0; read < 10; ++read) {
            EXPECT_EQ(Prefs::get(color), std::nullopt);
        }
    });
    EXPECT_TRUE(isOneLine(output)) << output;
    EXPECT_NE(output.find("\"color\" in " + path.toStdString()), std::string::npos) << output;
    EXPECT_EQ(file->object("text"), StoredObject("Ship it"));
}

TEST_F(ArchiveBridgeTest, ArchivableTypesCheckTheirClassSilently) {
    Prefs::Key<Bookmark> bookmark("bookmark", Bookmark{"start", 0}, suite);
    Prefs::set(bookmark, Bookmark{"chapter", 12});
    EXPECT_EQ(Prefs::get(bookmark), (Bookmark{"chapter", 12}));

    // A colour archive where a bookmark is expected, and the other way round: nothing, nothing printed.
    Prefs::Key<std::optional<QColor>> color("color", suite);
    const QByteArray bookmarkData = *suite->object("bookmark")->data();
    suite->setObject("bookmark", StoredObject(*Prefs::ColorBridge::serialize(QColor(Qt::red))));
    suite->setObject("color", StoredObject(bookmarkData));
    EXPECT_EQ(printedBy([&] {
                  EXPECT_EQ(Prefs::get(bookmark), (Bookmark{"start", 0}));
                  EXPECT_EQ(Prefs::get(color), std::nullopt);
              }),
              "");

    // Older versions of the class still read.
    suite->setObject("bookmark", StoredObject(*Prefs::encodeArchive(
                                     {"Bookmark", 1, {{"title", "old"}, {"position", std::int64_t{3}}}})));
    EXPECT_EQ(Prefs::get(bookmark), (Bookmark{"old", 3}));
}

TEST_F(ArchiveBridgeTest, ArchiveKeepsEveryStoredKindAndStoresNothingWhenArchivingFails) {
    const Prefs::StoredDictionary fields{{"text", "è"},
                                         {"flag", true},
                                         {"negative", -7},
                                         {"real", 0.1},
                                         {"data", QByteArray("\0\1", 2)},
                                         {"date", Prefs::referenceDate().addMSecs(123456789)},
                                         {"list", Prefs::StoredArray{1, "two"}},
                                         {"nested", Prefs::StoredDictionary{{"k", 2.5}}}};
    const auto data = Prefs::encodeArchive({"Any", 1, fields});
    ASSERT_TRUE(data);
    const auto decoded = Prefs::decodeArchive(*data);
    ASSERT_TRUE(decoded.contents) << decoded.error;
    EXPECT_EQ(decoded.contents->fields, fields);

    // A fraction of a second before the reference date would come back with the wrong sign.
    EXPECT_TRUE(Prefs::encodeArchive({"Any", 1, {{"date", Prefs::referenceDate().addSecs(-2)}}}));
    EXPECT_FALSE(Prefs::encodeArchive({"Any", 1, {{"date", Prefs::referenceDate().addMSecs(-1500)}}}));
    // Values with no property-list form fail the same way.
    EXPECT_FALSE(Prefs::encodeArchive({"Bookmark", 1, {{"title", QString(QChar(u'\0'))}}}));
    EXPECT_FALSE(Prefs::encodeArchive({"Bookmark", 1, {{"big", std::uint64_t{1} << 63}}}));

    // Archives written elsewhere: a UTF-16 string keeps its NUL; a UID makes the whole archive unreadable.
    // {"$class": "Any", "$version": 1, "text": "\u00e9\0z"}, then {..., "u": UID 7}.
    const auto withNul = Prefs::decodeArchive(QByteArray::fromHex(
        "62706c6973743030d30102030405065624636c617373582476657273696f6e547465787453416e7910016300e9000000"
        "7a080f161f24282a0000000000000101000000000000000700000000000000000000000000000031"));
    ASSERT_TRUE(withNul.contents) << withNul.error;
    EXPECT_EQ(withNul.contents->fields.at("text"), StoredObject(QString::fromUtf16(u"\u00e9\0z", 3)));
    const auto withUid = Prefs::decodeArchive(QByteArray::fromHex(
        "62706c6973743030d30102030405065624636c617373582476657273696f6e517553416e791001"
        "8007080f161f2125270000000000000101000000000000000700000000000000000000000000000029"));
    EXPECT_FALSE(withUid.contents);
    EXPECT_FALSE(withUid.error.empty());

    // A field under a reserved name: the entry goes, and nothing is printed.
    Prefs::Key<std::optional<Reserved>> reserved("reserved", suite);
    suite->setObject("reserved", StoredObject("old"));
    EXPECT_EQ(printedBy([&] { Prefs::set(reserved, std::optional<Reserved>(Reserved{})); }), "");
    EXPECT_FALSE(suite->hasPersistentEntry("reserved"));
}

} // namespace
