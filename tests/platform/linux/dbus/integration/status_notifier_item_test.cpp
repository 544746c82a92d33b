// The D-Bus panel item in this process, seen by a test panel on its own bus connection: registration
// and re-registration, the host state, what the host reads and is told, the menu and the clicks.
#include "panel/status_item_menu.h"
#include "platform/linux/dbus/status_notifier_item.h"
#include "support/temp_xdg_dirs.h"
#include "support/wait_until.h"
#include "test_panel.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMenu>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;
using namespace zendra;
using zendra::test::TestPanel;
using zendra::test::waitUntil;
using HostState = StatusNotifierWatcherClient::HostState;

class HeldModifiers final : public KZApp::KeyboardModifiers {
public:
    KZApp::ModifierFlags held() override { return flags; }
    KZApp::ModifierFlags flags = 0;
};

struct Click {
    StatusItemMouseEvent event;
    StatusItemClickModifiers modifiers;
};

panel_dbus::MenuLayoutItem layoutOf(const QDBusMessage& reply) {
    return qdbus_cast<panel_dbus::MenuLayoutItem>(reply.arguments().value(1));
}

class StatusNotifierItemTest : public testing::Test {
protected:
    std::unique_ptr<StatusNotifierItem> makeItem() {
        StatusNotifierItem::Options options;
        options.id = QStringLiteral("org.zendra.Zendra");
        options.title = QStringLiteral("Zendra");
        options.menu = [this] {
            ++menuBuilds;
            return buildStatusItemMenu(menuState, menuActions);
        };
        options.modifiers = modifiers;
        auto item = std::make_unique<StatusNotifierItem>(std::move(options));
        StatusBarEvents events;
        events.clicked = [this](StatusItemMouseEvent event, StatusItemClickModifiers held) {
            clicks.push_back({event, held});
        };
        events.geometryChanged = [this] { ++geometryChanges; };
        item->setEvents(std::move(events));
        return item;
    }

    static bool settled(const StatusNotifierItem& item) { return item.hostState() != HostState::unknown; }

    zendra::test::TempXdgDirs xdg;
    StatusItemMenuState menuState;
    StatusItemMenuActions menuActions;
    std::shared_ptr<HeldModifiers> modifiers = std::make_shared<HeldModifiers>();
    std::vector<Click> clicks;
    int geometryChanges = 0;
    int menuBuilds = 0;
};

TEST_F(StatusNotifierItemTest, IsOnScreenOnlyWhileAHostShowsItAndRegistersAgainWithARestartedPanel) {
    const auto item = makeItem();
    ASSERT_TRUE(item->serviceName().startsWith(':')) << "no well-known name for hosts to trip over";
    EXPECT_NE(item->serviceName(), QDBusConnection::sessionBus().baseService()) << "a connection of its own";
    EXPECT_EQ(item->hostState(), HostState::unhosted) << "no panel on the bus";
    EXPECT_FALSE(item->isOnScreen());

    auto panel = std::make_unique<TestPanel>(false);
    ASSERT_TRUE(waitUntil([&] { return !panel->registeredItems().isEmpty() && settled(*item); }))
        << "a panel that starts later still gets the item";
    EXPECT_EQ(panel->registeredItems(), QStringList{item->serviceName()});
    EXPECT_FALSE(item->isOnScreen()) << "a watcher without a host shows nothing";

    const int changesBefore = geometryChanges;
    panel->setHostRegistered(true);
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); }));
    EXPECT_GT(geometryChanges, changesBefore) << "the item tells its view that it appeared";

    panel.reset();
    ASSERT_TRUE(waitUntil([&] { return !item->isOnScreen(); })) << "the panel went away";

    panel = std::make_unique<TestPanel>(true);
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); })) << "and came back";
    EXPECT_EQ(panel->registeredItems(), QStringList{item->serviceName()});

    panel->setHostRegistered(false);
    EXPECT_TRUE(waitUntil([&] { return !item->isOnScreen(); })) << "its host left";
}

TEST_F(StatusNotifierItemTest, PublishesWhatTheHostShowsAndSignalsOnlyChanges) {
    TestPanel panel(true);
    const auto item = makeItem();
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); }));
    // The menu is there by the time the host hears of the item.
    EXPECT_EQ(panel.callMenu("GetLayout", {0, -1, QStringList()}).type(), QDBusMessage::ReplyMessage);

    EXPECT_EQ(panel.itemProperty("Category").toString(), "ApplicationStatus");
    EXPECT_EQ(panel.itemProperty("Id").toString(), "org.zendra.Zendra");
    EXPECT_EQ(panel.itemProperty("Title").toString(), "Zendra");
    EXPECT_EQ(panel.itemProperty("Status").toString(), "Active");
    EXPECT_EQ(panel.itemProperty("ItemIsMenu").toBool(), false);
    EXPECT_EQ(panel.itemProperty("Menu").value<QDBusObjectPath>().path(), "/MenuBar");

    EXPECT_EQ(panel.itemProperty("IconName").toString(), "") << "not installed: no name the host cannot find";
    const auto pixmaps = qdbus_cast<panel_dbus::IconPixmapList>(panel.itemProperty("IconPixmap"));
    ASSERT_FALSE(pixmaps.isEmpty()) << "a picture for hosts without the theme entry";
    for (const auto& pixmap : pixmaps) {
        EXPECT_EQ(pixmap.width, pixmap.height) << "hosts squeeze every icon into a square";
        EXPECT_EQ(pixmap.bytes.size(), qsizetype(pixmap.width) * pixmap.height * 4);
    }
    EXPECT_EQ(pixmaps.first().width, 16);
    EXPECT_GE(pixmaps.last().width, 48);

    const QString text = "Pay <b>rent</b> & bills";
    item->setLabel(text);
    item->setToolTip(text);
    item->setImage(QImage(160, 24, QImage::Format_ARGB32), QSizeF(160, 24));
    ASSERT_TRUE(waitUntil([&] { return !panel.labels.isEmpty() && panel.newToolTips == 1; }));
    EXPECT_EQ(panel.labels, QStringList{text});
    EXPECT_EQ(panel.itemProperty("XAyatanaLabel").toString(), text);
    const auto toolTip = qdbus_cast<panel_dbus::ToolTip>(panel.itemProperty("ToolTip"));
    EXPECT_EQ(toolTip.description, "Pay &lt;b&gt;rent&lt;/b&gt; &amp; bills")
        << "the body is markup to hosts: the whole text shows, as typed";
    EXPECT_EQ(qdbus_cast<panel_dbus::IconPixmapList>(panel.itemProperty("IconPixmap")).first().width, 16)
        << "the rendered line stays out of the icon";

    item->setLabel(text);
    item->setToolTip(text);
    item->setLabel("");
    item->setToolTip(std::nullopt);
    ASSERT_TRUE(waitUntil([&] { return panel.labels.size() == 2 && panel.newToolTips == 2; }));
    EXPECT_EQ(panel.labels.last(), "") << "an unchanged value is not announced again";
    EXPECT_EQ(qdbus_cast<panel_dbus::ToolTip>(panel.itemProperty("ToolTip")).description, "");
    EXPECT_EQ(panel.newIcons, 0);
}

TEST_F(StatusNotifierItemTest, TheMenuIsBuiltAfreshAndRunsTheChosenEntry) {
    TestPanel panel(true);
    int cleared = 0;
    int pasted = 0;
    menuActions.perform = [&](UserAction action) {
        cleared += action == UserAction::clearText;
        pasted += action == UserAction::pasteText;
    };
    const auto item = makeItem();
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); }));

    const auto rows = [&] {
        const QDBusMessage reply = panel.callMenu("GetLayout", {0, -1, QStringList()});
        std::vector<QVariantMap> result;
        for (const auto& child : layoutOf(reply).children) {
            result.push_back(child.properties);
        }
        return result;
    };
    auto menu = rows();
    ASSERT_EQ(menu.size(), 7u);
    EXPECT_EQ(menu[0]["label"], "Toggle Editor");
    EXPECT_EQ(menu[1]["type"], "separator");
    EXPECT_EQ(menu[2]["label"], "Clear Text");
    EXPECT_EQ(menu[2]["enabled"], false) << "nothing to clear";
    EXPECT_EQ(menu[3]["enabled"], false) << "nothing to copy";
    EXPECT_EQ(menu[4]["enabled"], false) << "nothing to paste";
    EXPECT_EQ(menu[6]["label"], "Quit Zendra");
    EXPECT_EQ(qdbus_cast<panel_dbus::MenuShortcut>(menu[6]["shortcut"]),
              (panel_dbus::MenuShortcut{{"Control", "q"}}));

    menuState.text = "Write the report";
    menuState.clipboardHasText = true;
    const QDBusMessage aboutToShow = panel.callMenu("AboutToShow", {0});
    EXPECT_EQ(aboutToShow.arguments().value(0).toBool(), true) << "the states changed";
    EXPECT_EQ(panel.callMenu("AboutToShow", {0}).arguments().value(0).toBool(), false);
    menu = rows();
    EXPECT_EQ(menu[2]["enabled"], true);
    EXPECT_EQ(menu[4]["enabled"], true);

    EXPECT_EQ(panel.callMenu("Event", {3, "clicked", QVariant::fromValue(QDBusVariant(0)), 0u}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(panel.callMenu("Event", {3, "hovered", QVariant::fromValue(QDBusVariant(0)), 0u}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(waitUntil([&] { return cleared == 1; }));
    const panel_dbus::MenuEventList group{{3, "clicked", QDBusVariant(0), 0},
                                          {77, "clicked", QDBusVariant(0), 0}};
    const QDBusMessage groupReply = panel.callMenu("EventGroup", {QVariant::fromValue(group)});
    ASSERT_EQ(groupReply.type(), QDBusMessage::ReplyMessage) << groupReply.errorMessage().toStdString();
    EXPECT_EQ(qdbus_cast<QList<int>>(groupReply.arguments().value(0)), QList<int>{77}) << "the unknown id";
    EXPECT_TRUE(waitUntil([&] { return cleared == 2; }));

    menuState.clipboardHasText = false;
    panel.callMenu("AboutToShow", {0});
    panel.callMenu("Event", {5, "clicked", QVariant::fromValue(QDBusVariant(0)), 0u});
    EXPECT_EQ(panel.callMenu("Event", {42, "clicked", QVariant::fromValue(QDBusVariant(0)), 0u}).type(),
              QDBusMessage::ErrorMessage);
    EXPECT_EQ(panel.callMenu("GetLayout", {42, -1, QStringList()}).type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(panel.callMenu("GetProperty", {3, "no-such-property"}).type(), QDBusMessage::ErrorMessage);
    waitUntil([] { return false; }, 100ms);
    EXPECT_EQ(pasted, 0) << "a disabled entry does nothing";
    EXPECT_EQ(cleared, 2);
}

TEST_F(StatusNotifierItemTest, AHostThatCachesTheRowsSeesChangedStatesAndGroupCallsAreBounded) {
    TestPanel panel(true);
    const auto item = makeItem();
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); }));
    panel.cacheMenu();
    ASSERT_EQ(panel.menuRows.size(), 7u);
    ASSERT_EQ(panel.menuRows[3]["enabled"], false);
    ASSERT_EQ(panel.menuRows[5]["enabled"], false);

    menuState.text = "Write the report";
    menuState.clipboardHasText = true;
    item->menu().refresh();
    EXPECT_TRUE(waitUntil([&] {
        return panel.menuRows[3]["enabled"] == true && panel.menuRows[5]["enabled"] == true;
    })) << "Clear and Paste are enabled in the host's copy without reading the layout again";

    menuState.text.clear();
    const int buildsBefore = menuBuilds;
    QDBusMessage reply = panel.callMenu("AboutToShowGroup", {QVariant::fromValue(QList<int>{0, 0, 0, 99})});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_EQ(qdbus_cast<QList<int>>(reply.arguments().value(0)), QList<int>{0});
    EXPECT_EQ(qdbus_cast<QList<int>>(reply.arguments().value(1)), QList<int>{99});
    EXPECT_EQ(menuBuilds - buildsBefore, 1) << "one rebuild per call, however many ids";
    EXPECT_TRUE(waitUntil([&] { return panel.menuRows[3]["enabled"] == false; }));

    const QList<int> many(100000, 0);
    reply = panel.callMenu("AboutToShowGroup", {QVariant::fromValue(many)});
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(menuBuilds - buildsBefore, 1);
    EXPECT_EQ(panel.callMenu("GetGroupProperties", {QVariant::fromValue(many), QStringList()}).type(),
              QDBusMessage::ErrorMessage);
}

TEST_F(StatusNotifierItemTest, ActivateCarriesTheHeldModifiersAndTheContextMenuIsARightClick) {
    TestPanel panel(true);
    const auto item = makeItem();
    ASSERT_TRUE(waitUntil([&] { return item->isOnScreen(); }));

    EXPECT_FALSE(item->anchorRect()) << "where the panel shows it is unknown until the host says";
    modifiers->flags = KZApp::Modifier::shift;
    EXPECT_EQ(panel.callItem("Activate", {10, 20}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(item->anchorRect(), QRect(10, 20, 1, 1)) << "popups such as the tip go there";
    EXPECT_EQ(panel.callItem("ContextMenu", {30, 40}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(panel.callItem("SecondaryActivate", {0, 0}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(panel.callItem("Activate", {"ten", "twenty"}).type(), QDBusMessage::ErrorMessage);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].event, StatusItemMouseEvent::leftMouseUp);
    EXPECT_TRUE(clicks[0].modifiers.shift);
    EXPECT_EQ(decideStatusItemClick(clicks[0].event, clicks[0].modifiers), StatusItemClickAction::clearText);
    EXPECT_EQ(clicks[1].event, StatusItemMouseEvent::rightMouseDown);
    EXPECT_FALSE(clicks[1].modifiers.shift) << "the menu opens whatever is held";
    EXPECT_EQ(clicks[2].event, StatusItemMouseEvent::rightMouseDown);

    QMenu menu;
    menu.addAction("Quit Zendra");
    ASSERT_TRUE(item->popUpMenu(menu));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), QPoint(30, 41)) << "under where the host asked, not at 0, 0 of the last request";
    menu.close();
}

} // namespace
