#include "prefs/color/color_bridge.h"
#include "prefs/prefs.h"
#include "printed.h"

#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <vector>

using namespace zendra;

namespace selection {

enum class Theme { light, dark };
NLOHMANN_JSON_SERIALIZE_ENUM(Theme, {{Theme::light, "light"}, {Theme::dark, "dark"}})

// The same raw-valued, JSON-encodable shape, once marked to prefer its raw value.
enum class Mode { compact, wide };
NLOHMANN_JSON_SERIALIZE_ENUM(Mode, {{Mode::compact, "compact"}, {Mode::wide, "wide"}})

// Raw-valued without any JSON form.
enum class Level { low = 1, high = 2 };

// An enumeration with neither: nlohmann's bare-integer fallback does not make it storable.
enum class Unlisted { a, b };

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(Point, x, y)

// Securely archivable and JSON-encodable, once marked to prefer its archive.
template <int Tag> struct Badge {
    QString label;
    static constexpr std::string_view archiveClassName = "Badge";
    static constexpr std::int64_t archiveVersion = 1;
    void encode(Prefs::KeyedArchiver& archiver) const { archiver.encode("label", label); }
    static std::optional<Badge> decode(const Prefs::KeyedUnarchiver& unarchiver) {
        auto label = unarchiver.decode<QString>("label");
        return label ? std::optional<Badge>(Badge{*label}) : std::nullopt;
    }
    bool operator==(const Badge&) const = default;
};
template <int Tag> void to_json(nlohmann::json& j, const Badge<Tag>& badge) {
    j = badge.label.toStdString();
}
template <int Tag> void from_json(const nlohmann::json& j, Badge<Tag>& badge) {
    badge.label = QString::fromStdString(j.get<std::string>());
}
using PlainBadge = Badge<0>;
using PreferredBadge = Badge<1>;

} // namespace selection

template <>
struct Prefs::RawRepresentation<selection::Theme>
    : Prefs::RawCases<Prefs::RawRepresentation<selection::Theme>, selection::Theme, QString> {
    static const auto& cases() {
        static const std::vector<std::pair<selection::Theme, QString>> table{
            {selection::Theme::light, "light"}, {selection::Theme::dark, "dark"}};
        return table;
    }
};
template <>
struct Prefs::RawRepresentation<selection::Mode>
    : Prefs::RawCases<Prefs::RawRepresentation<selection::Mode>, selection::Mode, QString> {
    static const auto& cases() {
        static const std::vector<std::pair<selection::Mode, QString>> table{
            {selection::Mode::compact, "compact"}, {selection::Mode::wide, "wide"}};
        return table;
    }
};
template <> inline constexpr bool Prefs::PreferRawRepresentable<selection::Mode> = true;

template <> struct Prefs::RawRepresentation<selection::Level> {
    using RawValue = int;
    static int toRaw(selection::Level level) { return static_cast<int>(level); }
    static std::optional<selection::Level> fromRaw(int raw) {
        return raw == 1 || raw == 2 ? std::optional(static_cast<selection::Level>(raw)) : std::nullopt;
    }
};
template <> inline constexpr bool Prefs::PreferSecureCoding<selection::PreferredBadge> = true;

namespace {

using namespace selection;
using Prefs::StoredObject;
using zendra::test::printedBy;

template <class T, class Bridge> constexpr bool selects = std::same_as<Prefs::BridgeOf<T>, Bridge>;

// The first matching row of the bridge table wins.
static_assert(selects<double, Prefs::TopLevelCodableBridge<double>>);
static_assert(selects<long long, Prefs::TopLevelCodableBridge<long long>>, "qint64 is storable");
static_assert(selects<std::optional<QUuid>, Prefs::OptionalBridge<Prefs::UUIDBridge>>);
static_assert(selects<std::vector<Point>, Prefs::ArrayBridge<Point>>);
static_assert(selects<std::map<int, double>, Prefs::DictionaryBridge<std::map<int, double>>>);
static_assert(selects<std::set<QString>, Prefs::SetBridge<std::set<QString>>>);
// QUrl and QUuid are JSON-encodable too, but their own rows come first.
static_assert(selects<QUrl, Prefs::URLBridge>);
static_assert(selects<QUuid, Prefs::UUIDBridge>);
static_assert(selects<QColor, Prefs::ColorBridge>);
static_assert(selects<Prefs::AnySerializable, Prefs::AnyBridge>);
static_assert(selects<Theme, Prefs::RawRepresentableCodableBridge<Theme>>);
static_assert(selects<Mode, Prefs::RawRepresentableBridge<Mode>>);
static_assert(selects<Level, Prefs::RawRepresentableBridge<Level>>);
static_assert(selects<PlainBadge, Prefs::CodableSecureCodingBridge<PlainBadge>>);
static_assert(selects<PreferredBadge, Prefs::SecureCodingBridge<PreferredBadge>>);
static_assert(selects<Point, Prefs::TopLevelCodableBridge<Point>>);
static_assert(!Prefs::Storable<Unlisted>);
static_assert(!Prefs::Storable<std::vector<Unlisted>>);

TEST(BridgeSelectionTest, StoredFormFollowsTheSelectedRowAndUnknownRawValuesReadTheDefault) {
    auto suite = Prefs::Suite::makeInMemory();
    Prefs::Key<Theme> theme("theme", Theme::light, suite);
    Prefs::Key<Mode> mode("mode", Mode::compact, suite);
    Prefs::Key<Level> level("level", Level::low, suite);
    Prefs::Key<PlainBadge> plain("plain", {}, suite);
    Prefs::Key<PreferredBadge> preferred("preferred", {}, suite);

    Prefs::set(theme, Theme::dark);
    Prefs::set(mode, Mode::wide);
    Prefs::set(level, Level::high);
    Prefs::set(plain, PlainBadge{"new"});
    Prefs::set(preferred, PreferredBadge{"new"});

    EXPECT_EQ(suite->object("theme"), StoredObject("\"dark\"")) << "JSON text of the raw-valued enum";
    EXPECT_EQ(suite->object("mode"), StoredObject("wide")) << "prefer-raw stores the raw string itself";
    EXPECT_EQ(suite->object("level"), StoredObject(2));
    EXPECT_EQ(suite->object("plain"), StoredObject("\"new\""));
    ASSERT_TRUE(suite->object("preferred")->data());

    EXPECT_EQ(Prefs::get(theme), Theme::dark);
    EXPECT_EQ(Prefs::get(mode), Mode::wide);
    EXPECT_EQ(Prefs::get(level), Level::high);
    EXPECT_EQ(Prefs::get(plain), PlainBadge{"new"});
    EXPECT_EQ(Prefs::get(preferred), PreferredBadge{"new"});

    suite->setObject("mode", StoredObject("narrow"));
    suite->setObject("level", StoredObject(7));
    EXPECT_EQ(printedBy([&] {
                  EXPECT_EQ(Prefs::get(mode), Mode::compact);
                  EXPECT_EQ(Prefs::get(level), Level::low);
              }),
              "");

    // An enumerator outside the listed cases has no raw value: nothing is stored.
    Prefs::set(mode, static_cast<Mode>(9));
    EXPECT_FALSE(suite->hasPersistentEntry("mode"));
}

} // namespace
