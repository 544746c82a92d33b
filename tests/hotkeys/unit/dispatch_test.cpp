#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/shortcut_attachment.h"

#include <QObject>

using namespace zendra;

namespace {

using namespace Hotkeys;

class Dispatch : public zendra::test::HotkeysFixture {
protected:
    std::vector<std::string> log;
    Action record(std::string entry) {
        return [this, entry] { log.push_back(entry); };
    }
    const Name toggle = Name::fromRawValue("toggleEditWindow");
    const Name clear = Name::fromRawValue("clearText");
    const Shortcut commandK{Key::k, ModifierFlag::command};
    const Shortcut optionSpace{Key::space, ModifierFlag::option};
};

TEST_F(Dispatch, AttachingRegistersTheStoredShortcutAndActionsRunInOrderOnTheirEventType) {
    suite->setObject(toggle.storageKey(),
                     Prefs::StoredObject(R"({"carbonKeyCode":40,"carbonModifiers":256})"));
    EXPECT_FALSE(manager->isRegistered(commandK));
    onKeyDown(toggle, record("down1"));
    EXPECT_TRUE(manager->isRegistered(commandK));
    EXPECT_TRUE(activeShortcuts().contains(commandK));
    onKeyDown(toggle, record("down2"));
    onKeyUp(toggle, record("up"));
    ASSERT_TRUE(manager->press(commandK));
    EXPECT_EQ(log, (std::vector<std::string>{"down1", "down2"}));
    ASSERT_TRUE(manager->release(commandK));
    EXPECT_EQ(log.back(), "up");

    log.clear();
    emitKeyDown(toggle);
    EXPECT_EQ(log, (std::vector<std::string>{"down1", "down2"})) << "as a press of the stored shortcut";
    onKeyDown(clear, record("clear"));
    emitKeyDown(clear);
    EXPECT_EQ(log.size(), 2u) << "nothing stored, nothing runs";
}

TEST_F(Dispatch, NamesSharingAShortcutShareOneRegistrationWhileOneHasActions) {
    setShortcut(commandK, toggle);
    setShortcut(commandK, clear);
    setShortcut(std::nullopt, clear);
    EXPECT_FALSE(manager->isRegistered(commandK)) << "no name has an action for it";

    onKeyUp(toggle, record("toggle"));
    onKeyUp(clear, record("clear"));
    setShortcut(commandK, clear);
    EXPECT_EQ(manager->live.size(), 1u);
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"clear", "toggle"}));

    // Clearing one keeps the combination for the other, which still stores and shows it.
    setShortcut(std::nullopt, clear);
    EXPECT_TRUE(manager->isRegistered(commandK));
    log.clear();
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    EXPECT_EQ(log, std::vector<std::string>{"toggle"});

    // The last name to give it up releases it.
    setShortcut(std::nullopt, toggle);
    EXPECT_FALSE(manager->isRegistered(commandK));
    EXPECT_TRUE(activeShortcuts().empty());
}

TEST_F(Dispatch, ComparesWithTheValueStoredAtPressTime) {
    onKeyUp(toggle, record("toggle"));
    onKeyUp(clear, record("clear"));
    setShortcut(commandK, toggle);
    setShortcut(commandK, clear);
    setShortcut(optionSpace, toggle); // the old combination stays registered for `clear`
    EXPECT_TRUE(manager->isRegistered(commandK));
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    EXPECT_EQ(log, std::vector<std::string>{"clear"});
    log.clear();
    ASSERT_TRUE(manager->pressAndRelease(optionSpace));
    EXPECT_EQ(log, std::vector<std::string>{"toggle"});

    suite->setObject(clear.storageKey(), Prefs::StoredObject("broken"));
    enable(toggle);
    log.clear();
    dispatchKeyUp(commandK);
    EXPECT_TRUE(log.empty()) << "a name whose stored value no longer decodes is skipped";
}

TEST_F(Dispatch, PausedDispatchRunsNothingButStaysHandled) {
    onKeyDown(toggle, record("down"));
    onKeyUp(toggle, record("up"));
    setShortcut(commandK, toggle);
    auto stream = events(toggle);
    flushMainQueue();

    setDispatchPaused(true);
    EXPECT_TRUE(manager->press(commandK)) << "the system event still counts as handled";
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(stream.tryNext());
    setDispatchPaused(false);
    ASSERT_TRUE(manager->release(commandK));
    EXPECT_EQ(log, std::vector<std::string>{"up"});
    EXPECT_EQ(stream.tryNext(), EventType::keyUp);
}

TEST_F(Dispatch, StreamsStartOnTheNextTurnAndEndByReleasingAShortcutNoOtherNameUses) {
    setShortcut(commandK, toggle);
    disable(toggle);
    {
        auto stream = events(toggle);
        auto ups = events(EventType::keyUp, toggle);
        EXPECT_FALSE(manager->isRegistered(commandK)) << "not before the next turn of the main loop";
        flushMainQueue();
        ASSERT_TRUE(manager->pressAndRelease(commandK));
        EXPECT_EQ(stream.tryNext(), EventType::keyDown);
        EXPECT_EQ(stream.tryNext(), EventType::keyUp);
        EXPECT_EQ(ups.tryNext(), EventType::keyUp) << "the filtered stream passes only key-up";
        EXPECT_FALSE(ups.tryNext());
    }
    EXPECT_TRUE(manager->isRegistered(commandK)) << "the end is applied on the next turn too";
    flushMainQueue();
    EXPECT_FALSE(manager->isRegistered(commandK));
    EXPECT_TRUE(activeShortcuts().empty());

    onKeyUp(clear, record("clear"));
    setShortcut(commandK, clear);
    {
        auto stream = events(toggle);
        flushMainQueue();
    }
    flushMainQueue();
    EXPECT_TRUE(manager->isRegistered(commandK)) << "`clear` still has an action on the same shortcut";
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    EXPECT_EQ(log, std::vector<std::string>{"clear"});
}

TEST_F(Dispatch, RemoveAllHandlersUnregistersAndDropsActionsButNotStreams) {
    onKeyUp(toggle, record("toggle"));
    setShortcut(commandK, toggle);
    auto stream = events(clear);
    setShortcut(optionSpace, clear);
    flushMainQueue();
    removeAllHandlers();
    EXPECT_TRUE(manager->live.empty());
    EXPECT_TRUE(activeShortcuts().empty());

    enable(toggle);
    enable(clear);
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    ASSERT_TRUE(manager->pressAndRelease(optionSpace));
    EXPECT_TRUE(log.empty()) << "actions are gone";
    EXPECT_EQ(stream.tryNext(), EventType::keyDown) << "streams stay";
}

TEST_F(Dispatch, ActionsMayChangeTheRegistriesWhileDispatching) {
    onKeyUp(toggle, [this] {
        log.push_back("first");
        removeAllHandlers();
        onKeyUp(clear, record("late"));
    });
    setShortcut(commandK, toggle);
    ASSERT_TRUE(manager->pressAndRelease(commandK));
    EXPECT_EQ(log, std::vector<std::string>{"first"});
}

TEST_F(Dispatch, AttachmentRunsItsActionWhileItsOwnerLives) {
    setShortcut(commandK, toggle);
    setShortcut(optionSpace, clear);
    auto owner = std::make_unique<QObject>();
    onKeyboardShortcut(owner.get(), toggle, EventType::keyUp, record("toggle"));
    onKeyboardShortcut(owner.get(), clear, EventType::keyUp, record("clear"));
    flushMainQueue();

    ASSERT_TRUE(manager->pressAndRelease(commandK));
    ASSERT_TRUE(manager->press(optionSpace));
    flushMainQueue();
    EXPECT_EQ(log, std::vector<std::string>{"toggle"}) << "one run per key-up, none on key-down";

    owner.reset();
    flushMainQueue();
    EXPECT_FALSE(manager->isRegistered(commandK)) << "the owner's end ends the subscription";
    EXPECT_FALSE(manager->isRegistered(optionSpace));
}

// Where the desktop binds the keys, its events name the shortcut: they reach that name whatever it
// stores, and stop when the environment changes.
TEST_F(Dispatch, DesktopBoundShortcutsReachTheirNameById) {
    struct Desktop final : DesktopShortcuts {
        std::vector<DesktopShortcut> bound;
        Handler pressed;
        Handler released;
        void bind(std::vector<DesktopShortcut> shortcuts, Handler onPress, Handler onRelease) override {
            bound = std::move(shortcuts);
            pressed = std::move(onPress);
            released = std::move(onRelease);
        }
    } desktop;
    setShortcut(commandK, toggle);
    onKeyDown(toggle, record("toggle down"));
    onKeyUp(toggle, record("toggle up"));
    auto clears = events(EventType::keyUp, clear);
    flushMainQueue();

    bindDesktopShortcuts(desktop, {{toggle, "Toggle"}, {clear, "Clear"}});
    ASSERT_EQ(desktop.bound.size(), 2u);
    EXPECT_EQ(desktop.bound[0].id, "toggleEditWindow");
    EXPECT_EQ(desktop.bound[0].description, "Toggle");
    EXPECT_EQ(desktop.bound[0].preferred, commandK) << "the stored shortcut is the suggestion";
    EXPECT_FALSE(desktop.bound[1].preferred);

    desktop.pressed("toggleEditWindow");
    desktop.released("toggleEditWindow");
    EXPECT_EQ(log, (std::vector<std::string>{"toggle down", "toggle up"}));
    desktop.pressed("clearText");
    desktop.released("clearText");
    EXPECT_EQ(clears.tryNext(), EventType::keyUp) << "a name that stores nothing is reached too";
    EXPECT_FALSE(clears.tryNext());

    desktop.released("unknown");
    setDispatchPaused(true);
    desktop.released("toggleEditWindow");
    setDispatchPaused(false);
    EXPECT_EQ(log.size(), 2u);

    Hotkeys::setEnvironment({suite, manager, layout, systemWide});
    onKeyUp(toggle, record("after"));
    desktop.released("toggleEditWindow");
    EXPECT_EQ(log.size(), 2u) << "bindings of an earlier environment are dropped";
}

} // namespace
