#pragma once

#include "hotkeys/fakes/fake_event_manager.h"
#include "hotkeys/fakes/fake_keyboard_layout.h"
#include "hotkeys/hotkeys.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace zendra::test {

// A clean shortcut subsystem over an in-memory suite and fakes, for each test.
class HotkeysFixture : public testing::Test {
protected:
    void SetUp() override {
        flushMainQueue(); // work left by an earlier test belongs to its environment
        suite = Prefs::Suite::makeInMemory();
        manager = std::make_shared<FakeEventManager>();
        layout = FakeKeyboardLayout::us();
        systemWide = std::make_shared<FakeSystemWideShortcuts>();
        Hotkeys::setEnvironment({suite, manager, layout, systemWide});
    }

    void TearDown() override {
        flushMainQueue();
        Hotkeys::setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
    }

    // Runs everything queued on the main thread, as one or more turns of the event loop would.
    static void flushMainQueue() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    Prefs::OptionalStoredObject stored(const Hotkeys::Name& name) const {
        return suite->object(name.storageKey());
    }

    std::shared_ptr<Prefs::Suite> suite;
    std::shared_ptr<FakeEventManager> manager;
    std::shared_ptr<FakeKeyboardLayout> layout;
    std::shared_ptr<FakeSystemWideShortcuts> systemWide;
};

} // namespace zendra::test
