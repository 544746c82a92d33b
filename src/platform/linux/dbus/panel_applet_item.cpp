#include "platform/linux/dbus/panel_applet_item.h"

#include "panel/popup_placement.h"
#include "panel/status_item_content.h"
#include "platform/linux/dbus/panel_menu_popup.h"
#include "zendra_item_adaptor.h"

#include <QBuffer>
#include <QCursor>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMenu>
#include <cstdio>
#include <variant>

namespace zendra {

namespace {

constexpr double maximumHeight = 512.0;
constexpr double minimumScale = 0.5;
constexpr double maximumScale = 8.0;

StatusItemRendering renderFromSettings(double height, qreal scale, bool dark) {
    StatusItemContent content = statusItemContentFromSettings(dark, scale);
    content.itemHeight = height;
    return renderStatusItem(content);
}

std::optional<StatusItemMouseEvent> mouseEvent(const QString& button) {
    if (button == u"left") {
        return StatusItemMouseEvent::leftMouseUp;
    }
    // A middle click opens the menu, as it does on the panel's own item.
    if (button == u"right" || button == u"middle") {
        return StatusItemMouseEvent::rightMouseDown;
    }
    return std::nullopt;
}

// The modifiers by their names, or the first name that is none of them.
std::variant<StatusItemClickModifiers, QString> clickModifiers(const QStringList& names) {
    StatusItemClickModifiers modifiers;
    for (const QString& name : names) {
        if (name == u"shift") {
            modifiers.shift = true;
        } else if (name == u"control") {
            modifiers.control = true;
        } else if (name == u"alt") {
            modifiers.option = true;
        } else if (name == u"super") {
            modifiers.command = true;
        } else {
            return name;
        }
    }
    return modifiers;
}

} // namespace

AppletPicture appletPicture(const StatusItemRendering& rendering) {
    AppletPicture picture;
    QBuffer buffer(&picture.png);
    buffer.open(QIODevice::WriteOnly);
    rendering.image.save(&buffer, "PNG");
    picture.logicalSize = rendering.itemSize;
    picture.toolTip = rendering.toolTip.value_or(QString());
    return picture;
}

PanelAppletItem::PanelAppletItem(Options options)
    : options_(std::move(options)),
      hostWatcher_(new QDBusServiceWatcher({}, options_.connection,
                                           QDBusServiceWatcher::WatchForUnregistration, this)) {
    if (!options_.render) {
        options_.render = &renderFromSettings;
    }
    // Owned by this object, as Qt's adaptors are.
    new ItemAdaptor(this);
    connect(hostWatcher_, &QDBusServiceWatcher::serviceUnregistered, this, &PanelAppletItem::hostLeft);
    if (!options_.connection.isConnected()) {
        return;
    }
    exported_ = options_.connection.registerObject(QString::fromLatin1(objectPath), this,
                                                   QDBusConnection::ExportAdaptors);
    if (!exported_) {
        std::fprintf(stderr, "zendra: cannot offer the panel item to applets: %s is taken\n", objectPath);
    }
}

PanelAppletItem::~PanelAppletItem() {
    if (exported_) {
        options_.connection.unregisterObject(QString::fromLatin1(objectPath));
    }
}

void PanelAppletItem::setFrame(int x, int y, int width, int height) {
    if (width > 0 && height > 0) {
        hostFrame_ = QRect(x, y, width, height);
    }
}

void PanelAppletItem::RegisterHost(int x, int y, int width, int height) {
    setFrame(x, y, width, height);
    const QString host = message().service();
    if (hosts_.contains(host)) {
        if (events_.geometryChanged) {
            events_.geometryChanged();
        }
        return;
    }
    hosts_.insert(host);
    hostWatcher_->addWatchedService(host);
    // A host that left before its call was handled never comes back to unregister.
    if (!connection().interface()->isServiceRegistered(host).value()) {
        hostLeft(host);
        return;
    }
    if (events_.geometryChanged) {
        events_.geometryChanged();
    }
}

void PanelAppletItem::UnregisterHost() {
    hostLeft(message().service());
}

void PanelAppletItem::hostLeft(const QString& host) {
    if (!hosts_.remove(host)) {
        return;
    }
    hostWatcher_->removeWatchedService(host);
    if (hosts_.isEmpty()) {
        hostFrame_.reset();
    }
    if (events_.geometryChanged) {
        events_.geometryChanged();
    }
}

void PanelAppletItem::invalidArguments(const QString& text) {
    sendErrorReply(QDBusError::InvalidArgs, text);
}

QByteArray PanelAppletItem::Render(double height, double scale, bool dark, double& width, double& itemHeight,
                                   QString& toolTip) {
    // Also refuses NaN.
    if (!(height >= 1.0 && height <= maximumHeight)) {
        invalidArguments(QStringLiteral("the height must be 1 to %1 logical pixels").arg(maximumHeight));
        return {};
    }
    if (!(scale >= minimumScale && scale <= maximumScale)) {
        invalidArguments(QStringLiteral("the scale must be %1 to %2").arg(minimumScale).arg(maximumScale));
        return {};
    }
    AppletPicture picture = appletPicture(options_.render(height, scale, dark));
    width = picture.logicalSize.width();
    itemHeight = picture.logicalSize.height();
    toolTip = picture.toolTip;
    return picture.png;
}

void PanelAppletItem::Click(const QString& button, const QStringList& modifierNames, int x, int y, int width,
                            int height) {
    const auto event = mouseEvent(button);
    if (!event) {
        invalidArguments(QStringLiteral("unknown button \"%1\" (left, right or middle)").arg(button));
        return;
    }
    const auto modifiers = clickModifiers(modifierNames);
    if (const auto* unknown = std::get_if<QString>(&modifiers)) {
        invalidArguments(
            QStringLiteral("unknown modifier \"%1\" (shift, control, alt or super)").arg(*unknown));
        return;
    }
    setFrame(x, y, width, height);
    if (events_.clicked) {
        events_.clicked(*event, std::get<StatusItemClickModifiers>(modifiers));
    }
}

void PanelAppletItem::setEvents(StatusBarEvents events) {
    events_ = std::move(events);
}

void PanelAppletItem::setImage(const QImage&, QSizeF) {
    emit Changed();
}

void PanelAppletItem::setToolTip(const std::optional<QString>&) {
    // The tooltip comes with the picture, and each change of it comes with a new picture.
}

bool PanelAppletItem::setContentScale(double) {
    return false;
}

qreal PanelAppletItem::devicePixelRatio() const {
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

bool PanelAppletItem::popUpMenu(QMenu& menu) {
    const QRect anchor = hostFrame_.value_or(QRect(QCursor::pos(), QSize(1, 1)));
    popUpPanelMenu(menu, popupPosition(menu.sizeHint(), anchor, popupWorkArea(anchor), PopupAlignment::left));
    return true;
}

std::optional<QRect> PanelAppletItem::anchorRect() const {
    return isHosted() ? hostFrame_ : std::nullopt;
}

} // namespace zendra
