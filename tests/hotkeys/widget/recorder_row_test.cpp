#include "hotkeys/fakes/recorder_fakes.h"
#include "hotkeys/alert_message_box.h"
#include "hotkeys/recorder.h"

#include <QLabel>
#include <QMessageBox>
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
    std::vector<std::optional<Shortcut>> changes;

    Recorder bare(name, [&changes](const auto& shortcut) { changes.push_back(shortcut); });
    EXPECT_FALSE(bare.hasLabel());
    EXPECT_EQ(bare.field()->text(), "F5");
    EXPECT_EQ(bare.focusProxy(), bare.field());

    Recorder titled(QStringLiteral("Clear text:"), name);
    ASSERT_TRUE(titled.hasLabel());
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
    const Name other = Name::fromRawValue("toggleEditWindow");
    titled.setName(other);
    EXPECT_EQ(titled.field()->shortcutName().rawValue, other.rawValue);
    EXPECT_EQ(titled.field()->text(), QString());
}

// The real presenter: a warning message box, window-modal over the recorder's window, that blocks until
// it is dismissed.
TEST_F(RecorderRowTest, MessageBoxAlertIsWindowModalAndWaitsForDismissal) {
    QWidget window;
    Recorder row(QStringLiteral("Clear text:"), name, {}, &window);
    window.show();

    struct Seen {
        bool open = false;
        Qt::WindowModality modality = Qt::NonModal;
        QWidget* parent = nullptr;
        QString text, informative;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
    } seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen = {
            true,        box->windowModality(),     box->parentWidget(), box->text(), box->informativeText(),
            box->icon(), int(box->buttons().size())};
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxAlertPresenter().runModal({"Message", "Details"}, row.field());

    ASSERT_TRUE(seen.open);
    EXPECT_EQ(seen.modality, Qt::WindowModal);
    EXPECT_EQ(seen.parent, &window);
    EXPECT_EQ(seen.text, "Message");
    EXPECT_EQ(seen.informative, "Details");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
