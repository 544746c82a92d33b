#include "hotkeys/hotkeys.h"
#include "hotkeys/recorder_field.h"
#include "platform/linux/x11/hot_keys.h"
#include "platform/linux/x11/keyboard_layout.h"
#include "support/wait_until.h"
#include "support/x11_input.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <optional>
#include <xcb/xcb.h>

using namespace zendra;

namespace {

using namespace Hotkeys;
using namespace std::chrono_literals;

using zendra::test::X11Input;
constexpr std::uint8_t jKey = 44;
constexpr std::uint8_t kKey = 45;
constexpr std::uint8_t lKey = 46;
constexpr std::uint16_t superAlt = XCB_MOD_MASK_4 | XCB_MOD_MASK_1;

// A recorder in a real window on the private X server, over the X11 hot keys and keyboard layout.
class RecorderX11Test : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(hotKeys->isAvailable());
        setEnvironment({Prefs::Suite::makeInMemory(), hotKeys, layout, hotKeys});
        setRecorderServices({nullptr, nullptr, [this] { ++beeps; }, {}});
        window.emplace();
        auto* column = new QVBoxLayout(&*window);
        recorder = new RecorderField(name, {}, &*window);
        column->addWidget(recorder);
        column->addWidget(new QPushButton(QStringLiteral("Other"), &*window));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
    }
    void TearDown() override {
        window.reset();
        setRecorderServices({});
        setEnvironment({Prefs::Suite::makeInMemory(), nullptr, nullptr, nullptr});
        QCoreApplication::processEvents();
    }

    void startRecording() {
        QTest::mouseClick(recorder, Qt::LeftButton, {}, recorder->rect().center());
        ASSERT_TRUE(zendra::test::waitUntil([&] { return recorder->isRecording(); }));
    }

    // Lets key events that may still arrive arrive, for checks that something did not happen.
    void settle() {
        zendra::test::waitUntil([] { return false; }, 200ms);
        hotKeys->processEvents();
    }

    std::shared_ptr<zendra::x11::HotKeys> hotKeys = std::make_shared<zendra::x11::HotKeys>();
    std::shared_ptr<zendra::x11::KeyboardLayout> layout = std::make_shared<zendra::x11::KeyboardLayout>();
    X11Input other;
    const Name name = Name::fromRawValue("toggleEditWindow");
    const Shortcut optionCommandK{Key::k, ModifierFlag::option | ModifierFlag::command};
    int beeps = 0;
    std::optional<QWidget> window;
    RecorderField* recorder = nullptr;
};

TEST_F(RecorderX11Test, CombinationHeldByAnotherClientIsRefusedWithTheSystemWideAlert) {
    ASSERT_TRUE(other.grabKey(kKey, superAlt));
    startRecording();

    // The real alert, dismissed here.
    QString message;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(10);
    QTest::keyClick(window->windowHandle(), Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    poll.stop();

    EXPECT_EQ(message,
              "This keyboard shortcut cannot be used as it's already a system-wide keyboard shortcut.");
    EXPECT_FALSE(getShortcut(name));
    EXPECT_EQ(recorder->text(), QString());
    EXPECT_TRUE(zendra::test::waitUntil([&] { return recorder->isRecording(); }))
        << "recording restarts once the alert is dismissed";

    // Once the other client lets go, the same combination is taken, and this process now holds it.
    other.ungrabKey(kKey, superAlt);
    QTest::keyClick(window->windowHandle(), Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(getShortcut(name), optionCommandK);
    EXPECT_EQ(recorder->text(), "Meta+Alt+K");
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(other.grabKey(kKey, superAlt)) << "the accepted shortcut is grabbed system-wide";
}

TEST_F(RecorderX11Test, TypedCombinationIsRecordedAndOwnShortcutsArePausedMeanwhile) {
    const Name clear = Name::fromRawValue("clearText");
    int clears = 0;
    onKeyUp(clear, [&clears] { ++clears; });
    setShortcut(Shortcut(Key::j, ModifierFlag::option | ModifierFlag::command), clear);
    hotKeys->processEvents();

    startRecording();
    other.chord({X11Input::superKey, X11Input::altKey, jKey});
    settle();
    EXPECT_EQ(clears, 0) << "no shortcut action runs while a recorder records";
    EXPECT_TRUE(recorder->isRecording());

    // A combination nobody holds reaches the focused recorder as real key events.
    other.chord({X11Input::superKey, X11Input::altKey, lKey});
    ASSERT_TRUE(zendra::test::waitUntil([&] { return getShortcut(name).has_value(); }));
    EXPECT_EQ(getShortcut(name), Shortcut(Key::l, ModifierFlag::option | ModifierFlag::command));
    EXPECT_EQ(recorder->text(), "Meta+Alt+L");
    EXPECT_EQ(beeps, 0) << "the modifier presses on the way are not refused keys";
    EXPECT_FALSE(recorder->isRecording());

    other.chord({X11Input::superKey, X11Input::altKey, jKey});
    EXPECT_TRUE(zendra::test::waitUntil([&] { return clears == 1; })) << "shortcuts work again afterwards";
}

} // namespace
