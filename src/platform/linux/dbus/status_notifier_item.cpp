#include "platform/linux/dbus/status_notifier_item.h"

#include "panel/popup_placement.h"
#include "platform/linux/dbus/panel_menu_popup.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <cstdio>

namespace zendra {

namespace {

constexpr int menuRefreshMilliseconds = 250;

StatusItemClickModifiers clickModifiers(KZApp::ModifierFlags held) {
    using namespace KZApp::Modifier;
    StatusItemClickModifiers result;
    result.shift = (held & shift) != 0;
    result.control = (held & control) != 0;
    result.option = (held & option) != 0;
    result.command = (held & command) != 0;
    result.capsLock = (held & capsLock) != 0;
    result.numericPad = (held & numericPad) != 0;
    result.function = (held & function) != 0;
    return result;
}

QDBusConnection itemConnection(const std::optional<QDBusConnection>& given, QString& ownName) {
    if (given) {
        return *given;
    }
    static int count = 0;
    ownName = QStringLiteral("zendra-panel-item-%1").arg(++count);
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, ownName);
}

} // namespace

StatusNotifierItem::StatusNotifierItem(Options options)
    : options_(std::move(options)), connection_(itemConnection(options_.connection, ownConnection_.name)),
      menu_(options_.menu),
      object_({options_.id, options_.title, QString::fromLatin1(menuPath)},
              {[this](QPoint at) { click(StatusItemMouseEvent::leftMouseUp, at, true); },
               [this](QPoint at) { click(StatusItemMouseEvent::rightMouseDown, at, false); },
               [this](QPoint at) { click(StatusItemMouseEvent::rightMouseDown, at, false); }}) {
    menuRefresh_.setSingleShot(true);
    menuRefresh_.setInterval(menuRefreshMilliseconds);
    QObject::connect(&menuRefresh_, &QTimer::timeout, this, [this] { menu_.refresh(); });
    if (publish()) {
        watcher_ = std::make_unique<StatusNotifierWatcherClient>(connection_, serviceName_, [this] {
            if (events_.geometryChanged) {
                events_.geometryChanged();
            }
        });
    }
}

StatusNotifierItem::~StatusNotifierItem() {
    watcher_.reset();
    if (!serviceName_.isEmpty()) {
        connection_.unregisterObject(QString::fromLatin1(itemPath));
    }
}

StatusNotifierItem::OwnConnection::~OwnConnection() {
    if (!name.isEmpty()) {
        QDBusConnection::disconnectFromBus(name);
    }
}

bool StatusNotifierItem::publish() {
    QDBusConnection& bus = connection_;
    if (!bus.isConnected()) {
        std::fprintf(stderr, "zendra: cannot put the panel item on the session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return false;
    }
    if (!menu_.exportOn(bus, QString::fromLatin1(menuPath))) {
        return false;
    }
    if (!bus.registerObject(QString::fromLatin1(itemPath), &object_,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties)) {
        std::fprintf(stderr, "zendra: cannot put the panel item on the session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return false;
    }
    serviceName_ = bus.baseService();
    return true;
}

StatusNotifierWatcherClient::HostState StatusNotifierItem::hostState() const {
    return watcher_ ? watcher_->hostState() : StatusNotifierWatcherClient::HostState::unhosted;
}

void StatusNotifierItem::click(StatusItemMouseEvent event, QPoint point, bool withHeldModifiers) {
    if (!point.isNull()) {
        requestPoint_ = point;
    }
    if (events_.clicked) {
        const KZApp::ModifierFlags held =
            withHeldModifiers && options_.modifiers ? options_.modifiers->held() : KZApp::ModifierFlags{};
        events_.clicked(event, clickModifiers(held));
    }
}

void StatusNotifierItem::setEvents(StatusBarEvents events) {
    events_ = std::move(events);
}

void StatusNotifierItem::setImage(const QImage&, QSizeF) {}

void StatusNotifierItem::setToolTip(const std::optional<QString>& toolTip) {
    object_.setToolTip(toolTip.value_or(QString()));
}

void StatusNotifierItem::setLabel(const QString& label) {
    if (label != object_.label()) {
        object_.setLabel(label);
        menuRefresh_.start();
    }
}

bool StatusNotifierItem::setContentScale(double) {
    return false;
}

qreal StatusNotifierItem::devicePixelRatio() const {
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

bool StatusNotifierItem::popUpMenu(QMenu& menu) {
    const QRect anchor(requestPoint_.value_or(QCursor::pos()), QSize(1, 1));
    popUpPanelMenu(menu, popupPosition(menu.sizeHint(), anchor, popupWorkArea(anchor), PopupAlignment::left));
    return true;
}

std::optional<QRect> StatusNotifierItem::anchorRect() const {
    if (!isOnScreen() || !requestPoint_) {
        return std::nullopt;
    }
    return QRect(*requestPoint_, QSize(1, 1));
}

bool StatusNotifierItem::isAwaitingHost() const {
    return hostState() == StatusNotifierWatcherClient::HostState::unknown;
}

bool StatusNotifierItem::isOnScreen() const {
    return hostState() == StatusNotifierWatcherClient::HostState::hosted;
}

} // namespace zendra
