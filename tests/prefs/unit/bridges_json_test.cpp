#include "prefs/migrate.h"
#include "prefs/prefs.h"
#include "printed.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using namespace zendra;

namespace jsontext {

struct Window {
    QString title;
    double width = 0;
    bool operator==(const Window&) const = default;
};
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(Window, title, width)

// Bytes that are not UTF-8 make the JSON encoder fail.
struct RawText {
    std::string bytes;
    bool operator==(const RawText&) const = default;
};
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RawText, bytes)

enum class Side { left, right };
NLOHMANN_JSON_SERIALIZE_ENUM(Side, {{Side::left, "left"}, {Side::right, "right"}})

} // namespace jsontext

template <> struct Prefs::RawRepresentation<jsontext::Side> {
    using RawValue = QString;
    static QString toRaw(jsontext::Side side) { return side == jsontext::Side::left ? "left" : "right"; }
    static std::optional<jsontext::Side> fromRaw(const QString& raw) {
        return raw == "left"    ? std::optional(jsontext::Side::left)
               : raw == "right" ? std::optional(jsontext::Side::right)
                                : std::nullopt;
    }
};
template <> inline constexpr bool Prefs::PreferRawRepresentable<jsontext::Side> = true;

namespace {

using namespace jsontext;
using Prefs::StoredObject;
using zendra::test::isOneLine;
using zendra::test::printedBy;

struct JsonTextTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(JsonTextTest, StructureIsStoredAsTheTextOfOneObjectAndBadTextReadsTheDefaultSilently) {
    const Window fallback{"fallback", 1};
    Prefs::Key<Window> window("window", fallback, suite);
    Prefs::set(window, Window{"Edit", 320.5});
    const auto object = suite->object("window");
    const QString* text = object ? object->string() : nullptr;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(nlohmann::json::parse(text->toStdString()),
              nlohmann::json::parse(R"({"title":"Edit","width":320.5})"));
    EXPECT_EQ(Prefs::get(window), (Window{"Edit", 320.5}));

    Prefs::Key<std::int64_t> number("number", 3, suite);
    const auto printed = printedBy([&] {
        for (const char* text : {R"({"title":"x"})", "not json", "", "null"}) {
            suite->setObject("window", StoredObject(text));
            EXPECT_EQ(Prefs::get(window), fallback) << text;
        }
        // The text of a whole array is wrapped in a second array on reading, so it is no single value.
        suite->setObject("number", StoredObject("[1,2]"));
        EXPECT_EQ(Prefs::get(number), 3);
    });
    EXPECT_EQ(printed, "");
}

TEST_F(JsonTextTest, EncodingFailureRemovesTheEntryAndPrintsOneLine) {
    Prefs::Key<RawText> raw("raw", {}, suite);
    Prefs::set(raw, RawText{"fine"});
    ASSERT_TRUE(suite->hasPersistentEntry("raw"));
    const std::string output = printedBy([&] { Prefs::set(raw, RawText{"\xff\xfe"}); });
    EXPECT_FALSE(suite->hasPersistentEntry("raw"));
    EXPECT_TRUE(isOneLine(output)) << output;

    // URLs are JSON string literals; an empty one has no JSON form.
    Prefs::Key<std::optional<QUrl>> page("page", suite);
    Prefs::set(page, std::optional<QUrl>(QUrl("https://zendra.example/a b?q=1")));
    EXPECT_EQ(suite->object("page"), StoredObject("\"https://zendra.example/a%20b?q=1\""));
    EXPECT_EQ(Prefs::get(page), QUrl("https://zendra.example/a%20b?q=1"));
    EXPECT_TRUE(isOneLine(printedBy([&] { Prefs::set(page, std::optional<QUrl>(QUrl())); })));
    EXPECT_FALSE(suite->hasPersistentEntry("page"));
    suite->setObject("page", StoredObject("https://zendra.example"));
    EXPECT_EQ(Prefs::get(page), std::nullopt) << "bare text is no JSON string literal";
}

TEST_F(JsonTextTest, MigrateRewritesOldJsonTextAndLeavesWhatItCannotDecode) {
    Prefs::Key<QString> text("text", "", suite);
    Prefs::Key<double> size("size", 13, suite);
    Prefs::Key<Side> side("side", Side::left, suite);
    Prefs::Key<std::vector<std::int64_t>> counts("counts", {}, suite);
    Prefs::Key<QString> plain("plain", "", suite);
    Prefs::Key<QString> number("number", "", suite);
    Prefs::Key<QString> registered("registered", "\"quoted default\"", suite);
    suite->setObject("text", StoredObject("\"task\""));
    suite->setObject("size", StoredObject("14.5"));
    suite->setObject("side", StoredObject("\"right\""));
    suite->setObject("counts", StoredObject("[1,2]"));
    suite->setObject("plain", StoredObject("already current"));
    suite->setObject("number", StoredObject(5));

    Prefs::migrate(text, Prefs::Version::v5);
    Prefs::migrate(std::vector{size}, Prefs::Version::v5);
    Prefs::migrate(side, Prefs::Version::v5);
    Prefs::migrate(counts, Prefs::Version::v5);
    for (const auto* key : {&plain, &number, &registered}) {
        Prefs::migrate(*key, Prefs::Version::v5);
    }

    EXPECT_EQ(suite->object("text"), StoredObject("task"));
    EXPECT_EQ(suite->object("size"), StoredObject(14.5));
    EXPECT_EQ(suite->object("side"), StoredObject("right")) << "a prefer-raw enumeration takes its raw form";
    EXPECT_EQ(suite->object("counts"), StoredObject(Prefs::StoredArray{1, 2}));
    EXPECT_EQ(suite->object("plain"), StoredObject("already current"));
    EXPECT_EQ(suite->object("number"), StoredObject(5));
    EXPECT_FALSE(suite->hasPersistentEntry("registered")) << "a registered default is no entry to migrate";
}

} // namespace
