#include "base/notification_center.h"
#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/stored_shortcut.h"

#include <thread>

using namespace zendra;

namespace {

using namespace Hotkeys;
using Prefs::StoredObject;

class Persistence : public zendra::test::HotkeysFixture {
protected:
    void SetUp() override {
        HotkeysFixture::SetUp();
        observation = zendra::NotificationCenter::defaultCenter().addObserver(
            shortcutByNameDidChange, [this](const zendra::Notification& notification) {
                ASSERT_EQ(notification.object, nullptr);
                ASSERT_EQ(notification.userInfo.size(), 1u);
                const auto* name = notification.entry<Name>(nameUserInfoKey);
                ASSERT_NE(name, nullptr);
                posted.push_back(*name);
            });
    }

    zendra::Cancellable observation;
    std::vector<Name> posted;
    const Shortcut optionSpace{Key::space, ModifierFlag::option};
    const Shortcut commandK{Key::k, ModifierFlag::command};
};

TEST_F(Persistence, SetStoresRegistersAndAnnouncesEveryTime) {
    const auto name = Name::fromRawValue("toggleEditWindow");
    setShortcut(optionSpace, name);
    EXPECT_EQ(stored(name), StoredObject(R"({"carbonKeyCode":49,"carbonModifiers":2048})"));
    EXPECT_TRUE(suite->hasPersistentEntry("Hotkeys_toggleEditWindow"));
    EXPECT_EQ(getShortcut(name), optionSpace);
    ASSERT_TRUE(manager->isRegistered(optionSpace)) << "registered even without actions";
    EXPECT_TRUE(activeShortcuts().contains(optionSpace));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].rawValue, "toggleEditWindow");

    const auto firstId = manager->registration(optionSpace)->identity.id;
    setShortcut(optionSpace, name);
    ASSERT_TRUE(manager->isRegistered(optionSpace));
    EXPECT_GT(manager->registration(optionSpace)->identity.id, firstId) << "the same shortcut registers anew";
    EXPECT_EQ(manager->live.size(), 1u);
    EXPECT_EQ(posted.size(), 2u);

    setShortcut(commandK, name);
    EXPECT_FALSE(manager->isRegistered(optionSpace)) << "the old shortcut is unregistered";
    EXPECT_FALSE(activeShortcuts().contains(optionSpace));
    EXPECT_TRUE(manager->isRegistered(commandK));
    EXPECT_EQ(posted.size(), 3u);
}

TEST_F(Persistence, ClearWritesFalseOnlyWhenSomethingWasStored) {
    const auto name = Name::fromRawValue("n");
    setShortcut(std::nullopt, name);
    EXPECT_FALSE(stored(name)) << "never set: nothing written";
    EXPECT_TRUE(posted.empty());

    suite->setObject(name.storageKey(), StoredObject("not json"));
    setShortcut(std::nullopt, name);
    EXPECT_EQ(stored(name), StoredObject("not json")) << "an undecodable value clears like no value";
    EXPECT_TRUE(posted.empty());

    setShortcut(commandK, name);
    setShortcut(std::nullopt, name);
    EXPECT_EQ(stored(name), StoredObject(false));
    EXPECT_EQ(getShortcut(name), std::nullopt);
    EXPECT_FALSE(manager->isRegistered(commandK));
    EXPECT_TRUE(activeShortcuts().empty());
    EXPECT_EQ(posted.size(), 2u);

    setShortcut(std::nullopt, name);
    EXPECT_EQ(posted.size(), 2u) << "already cleared: nothing posted";
}

TEST_F(Persistence, DefaultIsStoredOnceAndNeverOverAnExistingValue) {
    const Name first("withDefault", commandK);
    EXPECT_EQ(getShortcut(first), commandK);
    EXPECT_TRUE(manager->isRegistered(commandK));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].defaultShortcut, commandK) << "the notification carries the whole name";

    const Name again("withDefault", optionSpace);
    EXPECT_EQ(getShortcut(again), commandK) << "the second construction finds a value";
    EXPECT_EQ(posted.size(), 1u);

    suite->setObject("Hotkeys_cleared", StoredObject(false));
    const Name cleared("cleared", commandK);
    EXPECT_EQ(stored(cleared), StoredObject(false));
    EXPECT_EQ(getShortcut(cleared), std::nullopt);

    suite->setObject("Hotkeys_garbage", StoredObject(7));
    const Name garbage("garbage", optionSpace);
    EXPECT_EQ(stored(garbage), StoredObject(7));
    EXPECT_FALSE(manager->isRegistered(optionSpace));
    EXPECT_EQ(posted.size(), 1u);

    EXPECT_FALSE(stored(Name::fromRawValue("withDefault2"))) << "a name without default stores nothing";
    EXPECT_EQ(Name::fromRawValue("withDefault"), first) << "equality by raw value";
}

TEST_F(Persistence, ResetRestoresDefaultsAndClearsTheRest) {
    const Name withDefault("a", commandK);
    const auto without = Name::fromRawValue("b");
    const auto untouched = Name::fromRawValue("c");
    setShortcut(optionSpace, withDefault);
    setShortcut(optionSpace, without);
    posted.clear();

    reset(withDefault, without, untouched);
    EXPECT_EQ(getShortcut(withDefault), commandK);
    EXPECT_EQ(stored(without), StoredObject(false));
    EXPECT_FALSE(stored(untouched)) << "no default and nothing stored: left unchanged";
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].rawValue, "a");
    EXPECT_EQ(posted[1].rawValue, "b");
}

TEST_F(Persistence, EnableAndDisableFollowTheStoredShortcut) {
    const auto name = Name::fromRawValue("n");
    disable(name);
    enable(name);
    EXPECT_EQ(manager->registerCalls, 0) << "nothing stored, nothing to register";

    setShortcut(commandK, name);
    disable(name);
    EXPECT_FALSE(manager->isRegistered(commandK));
    EXPECT_FALSE(activeShortcuts().contains(commandK));
    enable(name);
    enable(name);
    EXPECT_TRUE(manager->isRegistered(commandK));
    EXPECT_EQ(manager->registerCalls, 2) << "an active shortcut is not registered twice";
}

TEST_F(Persistence, ChangesMadeOutsideTheOperationsAreFollowed) {
    const auto name = Name::fromRawValue("n");
    setShortcut(commandK, name);
    posted.clear();

    // As another process (or a data reset) would write the store.
    suite->setObject(name.storageKey(), StoredObject(encodeShortcut(optionSpace)));
    EXPECT_FALSE(manager->isRegistered(commandK));
    EXPECT_TRUE(manager->isRegistered(optionSpace));
    ASSERT_EQ(posted.size(), 1u);

    suite->removeObject(name.storageKey());
    EXPECT_FALSE(manager->isRegistered(optionSpace));
    EXPECT_TRUE(activeShortcuts().empty());
    EXPECT_EQ(posted.size(), 2u);

    std::thread writer([&] { suite->setObject(name.storageKey(), StoredObject(encodeShortcut(commandK))); });
    writer.join();
    EXPECT_FALSE(manager->isRegistered(commandK))
        << "a change from another thread is applied on the main thread";
    flushMainQueue();
    EXPECT_TRUE(manager->isRegistered(commandK));
    EXPECT_EQ(posted.size(), 3u);
}

} // namespace
