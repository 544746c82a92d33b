// The item for Zendra's Plasma applet in this process, called by a stand-in applet on its own bus
// connection: the picture it gets, its registration and clicks, and what the automatic choice learns.
#include "panel/status_item_content.h"
#include "platform/linux/dbus/panel_applet_item.h"
#include "platform/linux/panel_with_applet.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "support/wait_until.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using namespace zendra;
using zendra::test::waitUntil;

// Counts the item's Changed signals as an applet receives them.
class ChangeCounter final : public QObject {
    Q_OBJECT
public:
    int count = 0;
public slots:
    void changed() { ++count; }
};

class PanelAppletItemTest : public testing::Test {
protected:
    void SetUp() override {
        host = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("applet-host"));
        item = std::make_unique<PanelAppletItem>(PanelAppletItem::Options{});
        ASSERT_TRUE(item->isExported());
        StatusBarEvents events;
        events.clicked = [this](StatusItemMouseEvent event, StatusItemClickModifiers held) {
            clicks.push_back({event, held});
        };
        events.geometryChanged = [this] { ++geometryChanges; };
        item->setEvents(std::move(events));
    }
    void TearDown() override {
        item.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("applet-host"));
        Settings::text().reset();
        Settings::maximumWidth().reset();
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
        auto message = QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(),
                                                      QString::fromLatin1(PanelAppletItem::objectPath),
                                                      QStringLiteral("org.zendra.Zendra.Item"), method);
        message.setArguments(arguments);
        QDBusPendingCall pending = host.asyncCall(message);
        EXPECT_TRUE(waitUntil([&] { return pending.isFinished(); }, 10s)) << method.toStdString();
        return pending.reply();
    }

    struct Click {
        StatusItemMouseEvent event;
        StatusItemClickModifiers modifiers;
    };

    QDBusConnection host{QString()};
    std::unique_ptr<PanelAppletItem> item;
    std::vector<Click> clicks;
    int geometryChanges = 0;
};

TEST_F(PanelAppletItemTest, RenderGivesTheItemsOwnPictureForTheHostsPanel) {
    const QString text = QStringLiteral("**Ship** the _applet_ today and then everything else");
    Prefs::set(Settings::text(), text);
    Prefs::set(Settings::maximumWidth(), 90.0);

    const QDBusMessage dark = call(QStringLiteral("Render"), {30.0, 2.0, true});
    ASSERT_EQ(dark.type(), QDBusMessage::ReplyMessage) << dark.errorMessage().toStdString();
    EXPECT_EQ(dark.signature(), QStringLiteral("aydds"));
    StatusItemContent content = statusItemContentFromSettings(true, 2.0);
    content.itemHeight = 30.0;
    const StatusItemRendering expected = renderStatusItem(content);
    ASSERT_TRUE(expected.isTruncated) << "the test text reaches the maximum width";
    const QImage picture = QImage::fromData(dark.arguments().value(0).toByteArray(), "PNG");
    EXPECT_EQ(picture.size(), expected.image.size()) << "device pixels at the host's scale";
    EXPECT_EQ(picture.convertToFormat(QImage::Format_ARGB32),
              expected.image.convertToFormat(QImage::Format_ARGB32))
        << "the picture the renderer draws, ellipsis and styles included";
    EXPECT_EQ(dark.arguments().value(1).toDouble(), expected.itemSize.width());
    EXPECT_EQ(dark.arguments().value(2).toDouble(), 30.0);
    EXPECT_EQ(dark.arguments().value(3).toString(), text) << "the tooltip is the whole text";

    const QDBusMessage light = call(QStringLiteral("Render"), {30.0, 2.0, false});
    EXPECT_NE(light.arguments().value(0).toByteArray(), dark.arguments().value(0).toByteArray())
        << "a light panel gets dark text";

    Prefs::set(Settings::text(), QString());
    const QDBusMessage placeholder = call(QStringLiteral("Render"), {24.0, 1.0, false});
    EXPECT_FALSE(QImage::fromData(placeholder.arguments().value(0).toByteArray(), "PNG").isNull());
    EXPECT_EQ(placeholder.arguments().value(3).toString(), QString()) << "no tooltip for the placeholder";

    for (const QVariantList& bad : {QVariantList{0.0, 1.0, false}, QVariantList{24.0, 100.0, false},
                                    QVariantList{std::nan(""), 1.0, false}}) {
        const QDBusMessage refused = call(QStringLiteral("Render"), bad);
        EXPECT_EQ(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        EXPECT_FALSE(refused.errorMessage().isEmpty());
    }
}

TEST_F(PanelAppletItemTest, HostsRegisterUntilTheyLeaveAndTheirClicksActAsOnTheItem) {
    ChangeCounter changes;
    ASSERT_TRUE(host.connect(
        QDBusConnection::sessionBus().baseService(), QString::fromLatin1(PanelAppletItem::objectPath),
        QStringLiteral("org.zendra.Zendra.Item"), QStringLiteral("Changed"), &changes, SLOT(changed())));
    item->setImage(QImage(), {});
    EXPECT_TRUE(waitUntil([&] { return changes.count == 1; }));

    EXPECT_FALSE(item->isOnScreen());
    ASSERT_EQ(call(QStringLiteral("RegisterHost"), {10, 770, 120, 30}).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(item->isOnScreen());
    EXPECT_EQ(geometryChanges, 1);
    EXPECT_EQ(item->anchorRect(), QRect(10, 770, 120, 30)) << "popups anchor at the applet";

    call(QStringLiteral("Click"),
         {QStringLiteral("left"), QStringList{QStringLiteral("shift")}, 20, 770, 90, 30});
    call(QStringLiteral("Click"), {QStringLiteral("middle"), QStringList{}, 0, 0, 0, 0});
    call(QStringLiteral("Click"),
         {QStringLiteral("left"),
          QStringList{QStringLiteral("control"), QStringLiteral("alt"), QStringLiteral("super")}, 0, 0, 0,
          0});
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].event, StatusItemMouseEvent::leftMouseUp);
    EXPECT_TRUE(clicks[0].modifiers.shift && !clicks[0].modifiers.control);
    EXPECT_EQ(clicks[1].event, StatusItemMouseEvent::rightMouseDown) << "the middle button opens the menu";
    EXPECT_TRUE(clicks[2].modifiers.control && clicks[2].modifiers.option && clicks[2].modifiers.command);
    EXPECT_EQ(item->anchorRect(), QRect(20, 770, 90, 30)) << "a click moves the frame; an empty one does not";

    for (const QVariantList& bad :
         {QVariantList{QStringLiteral("double"), QStringList{}, 0, 0, 0, 0},
          QVariantList{QStringLiteral("left"), QStringList{QStringLiteral("hyper")}, 0, 0, 0, 0}}) {
        EXPECT_EQ(call(QStringLiteral("Click"), bad).errorName(),
                  QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }
    EXPECT_EQ(clicks.size(), 3u) << "refused clicks do nothing";

    ASSERT_EQ(call(QStringLiteral("UnregisterHost")).type(), QDBusMessage::ReplyMessage);
    EXPECT_FALSE(item->isOnScreen());
    call(QStringLiteral("RegisterHost"), {0, 0, 0, 0});
    ASSERT_TRUE(item->isOnScreen());
    // An applet that goes away (plasmashell ends or crashes) without unregistering; the connection
    // closes once its last handle is gone.
    host = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("applet-host"));
    EXPECT_TRUE(waitUntil([&] { return !item->isOnScreen(); }));
    EXPECT_EQ(item->anchorRect(), std::nullopt);
}

TEST_F(PanelAppletItemTest, ThePanelTellsTheChoiceWhetherPlasmaRunsAndAnAppletShowsTheItem) {
    // The test owns the item through the panel, as the application does.
    linux_panel::PanelWithApplet panel(nullptr, std::move(item));
    int changes = 0;
    StatusBarEvents events;
    events.geometryChanged = [&] { ++changes; };
    panel.setEvents(std::move(events));
    EXPECT_EQ(panel.facts().plasmaShell, std::nullopt) << "asked without waiting";
    ASSERT_TRUE(waitUntil([&] { return panel.facts().plasmaShell.has_value(); }));
    EXPECT_EQ(panel.facts().plasmaShell, false);
    EXPECT_FALSE(panel.facts().appletWaitOver);

    auto shell = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("plasma-shell"));
    shell.interface()->registerService(QString::fromLatin1(linux_panel::PanelWithApplet::plasmaShellService));
    ASSERT_TRUE(waitUntil([&] { return panel.facts().plasmaShell == true; }));
    EXPECT_GE(changes, 1) << "the switch looks again";

    call(QStringLiteral("RegisterHost"), {0, 760, 100, 40});
    EXPECT_TRUE(panel.facts().appletHosted);
    EXPECT_EQ(panel.anchorRect(), QRect(0, 760, 100, 40)) << "an applet that shows the item gets the popups";
    EXPECT_TRUE(panel.isOnScreen());
    EXPECT_TRUE(
        waitUntil([&] { return panel.facts().appletWaitOver; },
                  std::chrono::milliseconds(linux_panel::PanelWithApplet::appletWaitMilliseconds + 2000)));
    shell = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("plasma-shell"));
    EXPECT_TRUE(waitUntil([&] { return panel.facts().plasmaShell == false; })) << "plasmashell ended";
}

} // namespace

#include "panel_applet_item_test.moc"
