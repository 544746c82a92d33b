#include "item_view.h"

#include <QPainter>
#include <QQuickWindow>

namespace zendra_applet {

ItemView::ItemView(QQuickItem* parent) : QQuickPaintedItem(parent), client_(QDBusConnection::sessionBus()) {
    setOpaquePainting(false);
    connect(&client_, &ItemClient::stateChanged, this, &ItemView::stateChanged);
    connect(&client_, &ItemClient::pictureChanged, this, [this] {
        setImplicitWidth(pictureWidth());
        emit pictureChanged();
        update();
    });
}

void ItemView::setDark(bool dark) {
    if (dark != dark_) {
        dark_ = dark;
        emit darkChanged();
        askForPicture();
    }
}

void ItemView::setInPanel(bool inPanel) {
    if (inPanel != inPanel_) {
        inPanel_ = inPanel;
        client_.setInPanel(inPanel);
        emit inPanelChanged();
    }
}

ItemView::State ItemView::state() const {
    switch (client_.state()) {
    case ItemClient::State::connecting:
        return Connecting;
    case ItemClient::State::showing:
        return Showing;
    case ItemClient::State::notRunning:
        return NotRunning;
    case ItemClient::State::elsewhere:
        break;
    }
    return Elsewhere;
}

QRect ItemView::frame() const {
    if (!window()) {
        return {};
    }
    const QPointF origin = mapToGlobal(QPointF(0, 0));
    return QRect(origin.toPoint(), QSize(qRound(width()), qRound(height())));
}

void ItemView::askForPicture() {
    const qreal scale = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    client_.setPanel(height(), scale, dark_);
}

void ItemView::geometryChanged(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickPaintedItem::geometryChanged(newGeometry, oldGeometry);
    if (newGeometry.height() != oldGeometry.height()) {
        askForPicture();
    }
    client_.setFrame(frame());
}

void ItemView::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged) {
        askForPicture();
        client_.setFrame(frame());
    }
}

void ItemView::paint(QPainter* painter) {
    const QImage& picture = client_.picture();
    if (picture.isNull()) {
        return;
    }
    const QSizeF size = client_.pictureSize();
    const QPointF topLeft((width() - size.width()) / 2.0, (height() - size.height()) / 2.0);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QRectF(topLeft, size), picture);
}

void ItemView::click(int button, int modifiers) {
    QString name;
    switch (button) {
    case Qt::LeftButton:
        name = QStringLiteral("left");
        break;
    case Qt::RightButton:
        name = QStringLiteral("right");
        break;
    case Qt::MiddleButton:
        name = QStringLiteral("middle");
        break;
    default:
        return;
    }
    QStringList held;
    const auto flags = Qt::KeyboardModifiers(modifiers);
    if (flags & Qt::ShiftModifier) {
        held << QStringLiteral("shift");
    }
    if (flags & Qt::ControlModifier) {
        held << QStringLiteral("control");
    }
    if (flags & Qt::AltModifier) {
        held << QStringLiteral("alt");
    }
    if (flags & Qt::MetaModifier) {
        held << QStringLiteral("super");
    }
    // The panel may have moved since the frame was last told.
    client_.setFrame(frame());
    client_.click(name, held);
}

} // namespace zendra_applet
