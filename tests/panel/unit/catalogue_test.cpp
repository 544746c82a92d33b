#include "panel/status_item_content.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "settings/shortcut_names.h"
#include "support/temp_xdg_dirs.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// The standard suite is created once per process, so its files go to one private folder for the
// whole executable.
struct PrivateConfigEnvironment : testing::Environment {
    std::unique_ptr<zendra::test::TempXdgDirs> dirs;
    void SetUp() override { dirs = std::make_unique<zendra::test::TempXdgDirs>(); }
    void TearDown() override { dirs.reset(); }
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new PrivateConfigEnvironment);

struct Catalogue : testing::Test {
    void SetUp() override {
        Prefs::reset(Settings::text(), Settings::prefix(), Settings::suffix(), Settings::textSize(),
                     Settings::maximumWidth(), Settings::legibleLinks(), Settings::color(),
                     Settings::darkColor(), Settings::menuBarTextVerticalAlignmentOffset());
    }
};

TEST_F(Catalogue, FreshStoreReadsTheDefaults) {
    const StatusItemContent content = statusItemContentFromSettings(false, 1.0);
    EXPECT_EQ(content.textSize, Settings::systemFontSize());
    EXPECT_EQ(content.maximumWidth, 150.0);
    EXPECT_FALSE(content.color || content.darkColor || content.verticalOffset);

    // Nothing reaches the persistent domain by reading.
    EXPECT_FALSE(Settings::text().suite()->hasPersistentEntry("text"));
    EXPECT_FALSE(Settings::textSize().suite()->hasPersistentEntry("textSize"));
}

TEST_F(Catalogue, StoredNamesAndRemovalBringBackDefaults) {
    Prefs::set(Settings::textSize(), 20.0);
    Prefs::set(Settings::menuBarTextVerticalAlignmentOffset(), std::optional<double>(0.0));
    const auto suite = Settings::textSize().suite();
    EXPECT_EQ(suite->object("textSize"), Prefs::StoredObject(20.0));
    EXPECT_TRUE(suite->hasPersistentEntry("menuBarTextVerticalAlignmentOffset")) << "0 stays stored as 0";
    EXPECT_EQ(statusItemContentFromSettings(false, 1.0).verticalOffset, std::optional<double>(0.0));

    suite->removeObject("textSize");
    EXPECT_EQ(Prefs::get(Settings::textSize()), 13.0) << "the store's own removal: back to the system size";
    EXPECT_FALSE(suite->hasPersistentEntry("textSize"));

    // Colours round-trip; clearing one removes its entry.
    Prefs::set(Settings::darkColor(), std::optional<QColor>(QColor(10, 20, 30, 40)));
    EXPECT_TRUE(suite->hasPersistentEntry("darkColor"));
    EXPECT_EQ(statusItemContentFromSettings(true, 1.0).darkColor, QColor(10, 20, 30, 40));
    Prefs::set(Settings::darkColor(), std::optional<QColor>());
    EXPECT_FALSE(suite->hasPersistentEntry("darkColor"));
    suite->setObject("color", Prefs::StoredObject(QStringLiteral("not a colour")));
    EXPECT_EQ(Prefs::get(Settings::color()), std::nullopt) << "unreadable entries read as none";
}

TEST_F(Catalogue, ShortcutNamesHaveNoDefaultStoreNothingAndKeepTheirStoredKeys) {
    const auto suite = Settings::text().suite();
    QStringList keys;
    for (const UserAction action : Settings::actionsWithShortcuts()) {
        const Hotkeys::Name* name = Settings::shortcutName(action);
        ASSERT_NE(name, nullptr);
        EXPECT_FALSE(name->defaultShortcut.has_value()) << name->rawValue.toStdString();
        EXPECT_FALSE(name->shortcut().has_value()) << name->rawValue.toStdString();
        EXPECT_FALSE(suite->hasPersistentEntry(name->storageKey())) << "creating a name writes nothing";
        keys << name->storageKey();
    }
    // The keys are in users' preferences files: another key would lose a recorded shortcut.
    EXPECT_EQ(keys,
              (QStringList{QStringLiteral("Hotkeys_toggleEditWindow"), QStringLiteral("Hotkeys_clearText"),
                           QStringLiteral("Hotkeys_setTextFromClipboard")}));
    EXPECT_EQ(Settings::shortcutName(UserAction::copyText), nullptr);
}

} // namespace
