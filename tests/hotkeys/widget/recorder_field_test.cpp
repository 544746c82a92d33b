#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/recorder_field.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <optional>
#include <vector>

using namespace zendra;

namespace {

using namespace Hotkeys;

// Records the alerts it is asked to show; `whileShown` runs in place of the user's reading time.
class FakeAlertPresenter : public AlertPresenter {
public:
    std::vector<Alert> shown;
    std::function<void()> whileShown;

    void runModal(const Alert& alert, QWidget*) override {
        shown.push_back(alert);
        if (whileShown) {
            whileShown();
        }
    }
};

class FakeMainMenu : public MainMenu {
public:
    std::optional<Menu> entries;
    std::optional<Menu> menu() override { return entries; }
};

// A shown, active window holding a line edit, a recorder for `name` and a button, in this tab order,
// with fake alerts, menu, beep and error reporting.
class RecorderFieldTest : public zendra::test::HotkeysFixture {
protected:
    void SetUp() override {
        HotkeysFixture::SetUp();
        setRecorderServices({alerts, menu, [this] { ++beeps; },
                             [this](const QString& description) { errors.push_back(description); }});
        window.emplace();
        auto* column = new QVBoxLayout(&*window);
        before = new QLineEdit(&*window);
        recorder = new RecorderField(
            name, [this](const auto& shortcut) { changes.push_back(shortcut); }, &*window);
        after = new QPushButton(QStringLiteral("After"), &*window);
        column->addWidget(before);
        column->addWidget(recorder);
        column->addWidget(after);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
    }

    void TearDown() override {
        window.reset();
        setRecorderServices({});
        HotkeysFixture::TearDown();
    }

    void startRecording() {
        QTest::mouseClick(recorder, Qt::LeftButton, {}, recorder->rect().center());
        ASSERT_TRUE(recorder->isRecording());
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &*window, key, modifiers);
    }

    Prefs::OptionalStoredObject stored() const { return HotkeysFixture::stored(name); }

    const Name name = Name::fromRawValue("toggleEditWindow");
    const Shortcut optionCommandK{Key::k, ModifierFlag::option | ModifierFlag::command};

    std::shared_ptr<FakeAlertPresenter> alerts = std::make_shared<FakeAlertPresenter>();
    std::shared_ptr<FakeMainMenu> menu = std::make_shared<FakeMainMenu>();
    int beeps = 0;
    std::vector<QString> errors;
    std::vector<std::optional<Shortcut>> changes;
    std::optional<QWidget> window;
    QLineEdit* before = nullptr;
    RecorderField* recorder = nullptr;
    QPushButton* after = nullptr;
};

TEST_F(RecorderFieldTest, ShowsTheStoredShortcutOfItsNameAndFollowsChangesMadeElsewhere) {
    EXPECT_EQ(recorder->text(), QString());
    EXPECT_FALSE(recorder->isClearButtonShown());
    setShortcut(optionCommandK, name);
    EXPECT_EQ(recorder->text(), "Meta+Alt+K");
    EXPECT_TRUE(recorder->isClearButtonShown());

    // Another name's change leaves the text alone; a reset of this name empties it.
    const Name other = Name::fromRawValue("clearText");
    setShortcut(Shortcut(Key::f5.rawValue), other);
    EXPECT_EQ(recorder->text(), "Meta+Alt+K");
    reset(name);
    EXPECT_EQ(recorder->text(), QString());
    EXPECT_FALSE(recorder->isClearButtonShown());
    EXPECT_TRUE(changes.empty()); // only the user's own recording is reported

    // Another name shows its shortcut at once and ends a recording on the next turn of the event loop.
    startRecording();
    recorder->setShortcutName(Name::fromRawValue(name.rawValue)); // same raw value: nothing changes
    flushMainQueue();
    EXPECT_TRUE(recorder->isRecording());
    recorder->setShortcutName(other);
    EXPECT_EQ(recorder->text(), "F5");
    EXPECT_TRUE(recorder->isRecording());
    flushMainQueue();
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(dispatchPaused());
    setShortcut(std::nullopt, other);
    EXPECT_EQ(recorder->text(), QString());
}

TEST_F(RecorderFieldTest, RecordingPausesDispatchUntilEscapeTabOrAClickElsewhereEndsIt) {
    int runs = 0;
    onKeyDown(name, [&runs] { ++runs; });
    setShortcut(optionCommandK, name);

    startRecording();
    EXPECT_EQ(recorder->placeholderText(), "Press Shortcut");
    EXPECT_TRUE(dispatchPaused());
    ASSERT_TRUE(manager->press(optionCommandK));
    EXPECT_EQ(runs, 0);

    press(Qt::Key_Escape);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(recorder->hasFocus());
    EXPECT_EQ(recorder->placeholderText(), "Record Shortcut");
    EXPECT_FALSE(dispatchPaused());
    EXPECT_EQ(recorder->text(), "Meta+Alt+K"); // Escape keeps the previous shortcut
    EXPECT_EQ(getShortcut(name), optionCommandK);
    ASSERT_TRUE(manager->press(optionCommandK));
    EXPECT_EQ(runs, 1);

    before->setFocus();
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), after) << "Tab never moves the focus into a recorder";
    startRecording();
    press(Qt::Key_Tab);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(QApplication::focusWidget(), after);
    EXPECT_FALSE(dispatchPaused());

    // Releases on the window within the 3-point margin are swallowed; a click farther away goes through.
    QSignalSpy clicked(after, &QPushButton::clicked);
    startRecording();
    const QPoint corner = recorder->mapTo(&*window, QPoint(0, 0));
    QTest::mouseRelease(&*window, Qt::LeftButton, {}, corner + QPoint(-3, -3));
    QTest::mouseRelease(&*window, Qt::RightButton, {}, corner + QPoint(recorder->width() + 2, 0));
    EXPECT_TRUE(recorder->isRecording());
    QTest::mouseClick(after, Qt::LeftButton, {}, after->rect().center());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(dispatchPaused());
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(beeps, 0);
}

TEST_F(RecorderFieldTest, AcceptedCombinationIsStoredAndReportedAndDeleteOrTheClearButtonClearsIt) {
    startRecording();
    press(Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(stored(), Prefs::StoredObject(R"({"carbonKeyCode":40,"carbonModifiers":2304})"));
    EXPECT_TRUE(manager->isRegistered(optionCommandK));
    EXPECT_EQ(changes, (std::vector<std::optional<Shortcut>>{optionCommandK}));
    EXPECT_EQ(recorder->text(), "Meta+Alt+K");
    EXPECT_TRUE(recorder->isClearButtonShown());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_FALSE(dispatchPaused());
    EXPECT_TRUE(alerts->shown.empty());

    // Delete clears and keeps recording; with nothing left to clear, Delete and Forward Delete do nothing.
    startRecording();
    press(Qt::Key_Backspace);
    EXPECT_EQ(stored(), Prefs::StoredObject(false));
    EXPECT_FALSE(manager->isRegistered(optionCommandK));
    EXPECT_EQ(changes.back(), std::nullopt);
    EXPECT_EQ(recorder->text(), QString());
    EXPECT_FALSE(recorder->isClearButtonShown());
    press(Qt::Key_Delete);
    press(Qt::Key_Backspace);
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(recorder->isRecording());
    press(Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(getShortcut(name), optionCommandK);

    // The clear button clears and starts recording; while recording it still takes its own click.
    ASSERT_FALSE(recorder->isRecording());
    ASSERT_EQ(recorder->actions().size(), 1);
    QWidget* button = nullptr;
    for (QObject* object : recorder->actions().front()->associatedObjects()) {
        if (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr && widget != recorder) {
            button = widget;
        }
    }
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_EQ(stored(), Prefs::StoredObject(false));
    EXPECT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes.back(), std::nullopt);
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_TRUE(dispatchPaused());
    setShortcut(optionCommandK, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_EQ(stored(), Prefs::StoredObject(false));
    EXPECT_EQ(changes.size(), 5u);
    EXPECT_TRUE(recorder->isRecording());
}

TEST_F(RecorderFieldTest, BareKeysOtherThanFunctionKeysAreRefusedWithABeep) {
    startRecording();
    press(Qt::Key_A);
    press(Qt::Key_A, Qt::ShiftModifier);
    press(Qt::Key_5, Qt::KeypadModifier); // the keypad flag is no modifier
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_FALSE(stored());
    EXPECT_TRUE(changes.empty());

    // Modifiers pressed on their way to a combination are not keys of their own.
    press(Qt::Key_Shift, Qt::ShiftModifier);
    press(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(recorder->isRecording());

    press(Qt::Key_F5);
    EXPECT_EQ(getShortcut(name), Shortcut(Key::f5.rawValue));
    EXPECT_EQ(recorder->text(), "F5");

    startRecording();
    press(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(getShortcut(name), Shortcut(Key::f5, ModifierFlag::shift));
    EXPECT_EQ(recorder->text(), "Shift+F5");

    // Shown as Qt names keys, stored in the same form as ever.
    startRecording();
    press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(recorder->text(), "Ctrl+Alt+K");
    EXPECT_EQ(stored(), Prefs::StoredObject(R"({"carbonKeyCode":40,"carbonModifiers":6144})"));
}

TEST_F(RecorderFieldTest, ApplicationShortcutsDoNotFireWhileRecording) {
    QAction close(QStringLiteral("Close"));
    close.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    window->addAction(&close);
    QSignalSpy triggered(&close, &QAction::triggered);

    startRecording();
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_EQ(getShortcut(name), Shortcut(Key::w, ModifierFlag::control));

    // Once idle the application's shortcut works again.
    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
}

TEST_F(RecorderFieldTest, ConflictsAreRefusedWithAnAlertAndRecordingRestarts) {
    menu->entries = Menu{{"File", "", 0, {{"Close Window", "w", ModifierFlag::command, {}}}}};
    systemWide->held.insert({Key::k.rawValue, 0x900});
    systemWide->held.insert({Key::f12.rawValue, 0});
    bool recordingDuringAlert = true;
    alerts->whileShown = [&] { recordingDuringAlert = recorder->isRecording() || dispatchPaused(); };

    startRecording();
    press(Qt::Key_W, Qt::MetaModifier);
    ASSERT_EQ(alerts->shown.size(), 1u);
    EXPECT_EQ(alerts->shown[0].messageText,
              "This keyboard shortcut cannot be used as it's already used by the “Close Window” menu item.");
    EXPECT_EQ(alerts->shown[0].informativeText, QString());
    EXPECT_FALSE(recordingDuringAlert);
    EXPECT_TRUE(recorder->isRecording());

    press(Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    ASSERT_EQ(alerts->shown.size(), 2u);
    EXPECT_EQ(alerts->shown[1].messageText,
              "This keyboard shortcut cannot be used as it's already a system-wide keyboard shortcut.");
    EXPECT_EQ(
        alerts->shown[1].informativeText,
        "Most system-wide keyboard shortcuts can be changed in the keyboard shortcuts of your desktop's "
        "settings.");
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_FALSE(stored());
    EXPECT_TRUE(changes.empty());

    // The same key with another modifier set is no conflict; F12 alone is exempt from the system check.
    press(Qt::Key_W, Qt::MetaModifier | Qt::AltModifier);
    EXPECT_EQ(getShortcut(name), Shortcut(Key::w, ModifierFlag::command | ModifierFlag::option));
    startRecording();
    press(Qt::Key_F12);
    EXPECT_EQ(getShortcut(name), Shortcut(Key::f12.rawValue));
    EXPECT_EQ(alerts->shown.size(), 2u);
    EXPECT_TRUE(errors.empty());

    // When the system check cannot be made it is reported and skipped.
    setEnvironment({suite, manager, layout, nullptr});
    startRecording();
    press(Qt::Key_K, Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(errors, std::vector<QString>{"Could not get system keyboard shortcuts"});
    EXPECT_EQ(getShortcut(name), optionCommandK);

    // A recorder destroyed while its alert shows is not touched afterwards.
    alerts->whileShown = [&] { window.reset(); };
    startRecording();
    press(Qt::Key_W, Qt::MetaModifier);
    EXPECT_EQ(alerts->shown.size(), 3u);
    EXPECT_FALSE(dispatchPaused());
}

TEST_F(RecorderFieldTest, DispatchStaysPausedWhileAnyRecorderRecords) {
    auto* second = new RecorderField(Name::fromRawValue("clearText"), {}, &*window);
    window->layout()->addWidget(second);
    second->show();
    startRecording();
    QTest::mouseClick(second, Qt::LeftButton, {}, second->rect().center());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_TRUE(second->isRecording());
    EXPECT_TRUE(dispatchPaused());
    press(Qt::Key_F6);
    EXPECT_EQ(getShortcut(second->shortcutName()), Shortcut(Key::f6.rawValue));
    EXPECT_FALSE(getShortcut(name));
    EXPECT_FALSE(dispatchPaused());

    // Destroying a recording recorder resumes dispatch and leaves no monitor behind.
    startRecording();
    delete recorder;
    EXPECT_FALSE(dispatchPaused());
    press(Qt::Key_A);
    EXPECT_EQ(beeps, 0);
}

} // namespace
