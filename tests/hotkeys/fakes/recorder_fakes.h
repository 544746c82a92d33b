#pragma once

#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/recorder_field.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace zendra::test {

// Records the alerts it is asked to show; `whileShown` runs in place of the user's reading time.
class FakeAlertPresenter : public Hotkeys::AlertPresenter {
public:
    std::vector<Hotkeys::Alert> shown;
    std::function<void()> whileShown;

    void runModal(const Hotkeys::Alert& alert, QWidget*) override {
        shown.push_back(alert);
        if (whileShown) {
            whileShown();
        }
    }
};

class FakeMainMenu : public Hotkeys::MainMenu {
public:
    std::optional<Hotkeys::Menu> entries;
    std::optional<Hotkeys::Menu> menu() override { return entries; }
};

// A shown, active window holding a line edit, a recorder for `name` and a button, in this tab order,
// with fake alerts, menu, beep and error reporting.
class RecorderFixture : public HotkeysFixture {
protected:
    void SetUp() override {
        HotkeysFixture::SetUp();
        alerts = std::make_shared<FakeAlertPresenter>();
        menu = std::make_shared<FakeMainMenu>();
        Hotkeys::setRecorderServices({alerts, menu, [this] { ++beeps; },
                                      [this](const QString& description) { errors.push_back(description); }});
        window.emplace();
        auto* layout = new QVBoxLayout(&*window);
        before = new QLineEdit(&*window);
        recorder = new Hotkeys::RecorderField(
            name, [this](const auto& shortcut) { changes.push_back(shortcut); }, &*window);
        after = new QPushButton(QStringLiteral("After"), &*window);
        layout->addWidget(before);
        layout->addWidget(recorder);
        layout->addWidget(after);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
    }

    void TearDown() override {
        window.reset();
        Hotkeys::setRecorderServices({});
        HotkeysFixture::TearDown();
    }

    void startRecording() {
        QTest::mouseClick(recorder, Qt::LeftButton, {}, recorder->rect().center());
        ASSERT_TRUE(recorder->isRecording());
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &*window, key, modifiers);
    }

    const Hotkeys::Name name = Hotkeys::Name::fromRawValue("toggleEditWindow");
    const Hotkeys::Shortcut optionCommandK{Hotkeys::Key::k,
                                           Hotkeys::ModifierFlag::option | Hotkeys::ModifierFlag::command};

    std::shared_ptr<FakeAlertPresenter> alerts;
    std::shared_ptr<FakeMainMenu> menu;
    int beeps = 0;
    std::vector<QString> errors;
    std::vector<std::optional<Hotkeys::Shortcut>> changes;
    std::optional<QWidget> window;
    QLineEdit* before = nullptr;
    Hotkeys::RecorderField* recorder = nullptr;
    QPushButton* after = nullptr;
};

} // namespace zendra::test
