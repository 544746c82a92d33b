#include "hotkeys/alert_message_box.h"
#include "hotkeys/fakes/hotkeys_fixture.h"
#include "hotkeys/recorder.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace zendra;

namespace {

using namespace Hotkeys;

class RecorderRowTest : public zendra::test::HotkeysFixture {
protected:
    const Name name = Name::fromRawValue("clearText");
};

TEST_F(RecorderRowTest, TheThreeConstructorsGiveTheirLabels) {
    setShortcut(Shortcut(Key::f5.rawValue), name);
    Recorder bare(name);
    EXPECT_FALSE(bare.hasLabel());
    EXPECT_EQ(bare.field()->text(), "F5");
    EXPECT_EQ(bare.focusProxy(), bare.field());

    Recorder titled(QStringLiteral("Clear text:"), name);
    auto* label = qobject_cast<QLabel*>(titled.label());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Clear text:");
    EXPECT_EQ(label->buddy(), titled.field());

    auto custom = std::make_unique<QLabel>(QStringLiteral("Custom"));
    QWidget* customLabel = custom.get();
    Recorder built(name, {}, std::move(custom));
    EXPECT_EQ(built.label(), customLabel);
    EXPECT_EQ(customLabel->parentWidget(), &built);

    // Pointing a row at another name shows that name's shortcut.
    titled.setName(Name::fromRawValue("toggleEditWindow"));
    EXPECT_EQ(titled.field()->text(), QString());
}

// The real presenter: a warning message box, window-modal over the recorder's window, that blocks until
// it is dismissed.
TEST_F(RecorderRowTest, MessageBoxAlertIsWindowModalAndWaitsForDismissal) {
    QWidget window;
    Recorder row(QStringLiteral("Clear text:"), name, {}, &window);
    window.show();
    bool dismissed = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        EXPECT_EQ(box->parentWidget(), &window);
        EXPECT_EQ(box->text(), "Message");
        EXPECT_EQ(box->informativeText(), "Details");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        dismissed = true;
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxAlertPresenter().runModal({"Message", "Details"}, row.field());
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
