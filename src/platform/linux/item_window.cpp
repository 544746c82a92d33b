#include "platform/linux/item_window.h"

#include "base/main_queue.h"
#include "panel/popup_placement.h"
#include "platform/linux/dbus/panel_appearance_portal.h"
#include "platform/linux/dbus/panel_menu_popup.h"
#include "platform/linux/item_window_x11.h"
#include "platform/linux/session/linux_session.h"
#include "platform/linux/x11/visibility_watch.h"
#include "prefs/prefs.h"
#include "text/text_rules.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <QTextDocument>
#include <QThreadPool>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

namespace zendra {

namespace {

StatusItemClickModifiers clickModifiers(Qt::KeyboardModifiers m) {
    StatusItemClickModifiers result;
    result.shift = m.testFlag(Qt::ShiftModifier);
    result.control = m.testFlag(Qt::ControlModifier);
    result.option = m.testFlag(Qt::AltModifier);
    result.command = m.testFlag(Qt::MetaModifier);
    result.numericPad = m.testFlag(Qt::KeypadModifier);
    return result;
}

// The UTF-8 text of a drag, as the MIME types the item accepts name it.
bool carriesText(const QMimeData* data) {
    return data != nullptr && (data->hasFormat(QStringLiteral("text/plain;charset=utf-8")) ||
                               data->hasFormat(QStringLiteral("text/plain")));
}

QByteArray textBytes(const QMimeData* data) {
    const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
    return data->hasFormat(utf8) ? data->data(utf8) : data->data(QStringLiteral("text/plain"));
}

} // namespace

ItemWindow::ItemWindow(std::shared_ptr<Prefs::Suite> suite)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      offsetKey_(QStringLiteral("itemWindowRightOffset"), 0.0, std::move(suite)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    // Qt shows tooltips only for the active window, which this one never is.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("Zendra"));
    setFixedSize(itemSize_);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this] { followPrimaryScreen(); });
    followPrimaryScreen();
}

ItemWindow::~ItemWindow() = default;

void ItemWindow::setEvents(StatusBarEvents events) {
    events_ = std::move(events);
}

void ItemWindow::setImage(const QImage& image, QSizeF logicalSize) {
    image_ = image;
    const QSize size(std::max(1, int(std::ceil(logicalSize.width()))),
                     std::max(1, int(std::ceil(logicalSize.height()))));
    if (size != itemSize_) {
        itemSize_ = size;
        setFixedSize(itemSize_);
        place();
    }
    update();
}

void ItemWindow::setToolTip(const std::optional<QString>& toolTip) {
    // Always rich text, escaped: a text that looks like markup shows as typed.
    QWidget::setToolTip(toolTip ? Qt::convertFromPlainText(*toolTip, Qt::WhiteSpaceNormal) : QString());
}

void ItemWindow::setDarkAppearance(bool dark) {
    if (dark != dark_) {
        dark_ = dark;
        update();
    }
}

QColor ItemWindow::backgroundColor() const {
    // The palette's window colour when it agrees with the appearance the text was drawn for; a
    // neutral one of that appearance otherwise (a dark desktop with a light Qt palette, or the reverse).
    const QColor window = palette().color(QPalette::Window);
    if (PortalPanelAppearance::paletteIsDark(palette()) == dark_) {
        return window;
    }
    return dark_ ? QColor(0x2b, 0x2b, 0x2b) : QColor(0xf2, 0xf2, 0xf2);
}

bool ItemWindow::setContentScale(double scale) {
    scale_ = scale;
    update();
    return true;
}

qreal ItemWindow::devicePixelRatio() const {
    const QScreen* screen = QWidget::screen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

bool ItemWindow::popUpMenu(QMenu& menu) {
    const auto anchor = anchorRect();
    if (!anchor) {
        return false;
    }
    popUpPanelMenu(menu, popupPosition(menu.sizeHint(), anchor, popupWorkArea(anchor), PopupAlignment::left),
                   this);
    return true;
}

bool ItemWindow::isOnScreen() const {
    if (!isVisible() || windowHandle() == nullptr || !windowHandle()->isExposed() ||
        (visibilityWatch_ && visibilityWatch_->fullyObscured())) {
        return false;
    }
    const QRect frame = frameGeometry();
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(frame); });
}

std::optional<QRect> ItemWindow::anchorRect() const {
    if (!isOnScreen()) {
        return std::nullopt;
    }
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

double ItemWindow::rightOffset() const {
    return std::max(0.0, Prefs::get(offsetKey_));
}

void ItemWindow::followPrimaryScreen() {
    disconnect(screenGeometryConnection_);
    disconnect(workAreaConnection_);
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screenGeometryConnection_ = connect(primary, &QScreen::geometryChanged, this, [this] { place(); });
        // A panel that starts, leaves or changes size changes the work area.
        workAreaConnection_ = connect(primary, &QScreen::availableGeometryChanged, this, [this] { place(); });
    }
    place();
}

void ItemWindow::place() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return;
    }
    const QRect area = primary->geometry();
    // A stored place beyond the screen's left edge (a smaller screen than last time) keeps the item in.
    const int maxOffset = std::max(0, area.width() - width());
    const int offset = std::clamp(int(std::lround(rightOffset())), 0, maxOffset);
    const int x = area.right() + 1 - offset - width();
    move(x, topEdge(*primary, x));
}

int ItemWindow::topEdge(const QScreen& screen, int x) const {
    const QRect area = screen.geometry();
    const qreal ratio = screen.devicePixelRatio();
    const item_window_x11::Span span{int(std::lround(x * ratio)),
                                     int(std::lround((x + width()) * ratio)) - 1};
    if (const auto reserved = item_window_x11::topReservedByOthers(std::uint32_t(internalWinId()), span)) {
        return std::max(area.top(), int(std::ceil(*reserved / ratio)));
    }
    // Without other clients' reservations to read, the work area; one that ends where this window
    // does is this window's own reservation.
    const int workTop = screen.availableGeometry().top();
    if (reservedBottom_ && workTop == *reservedBottom_) {
        return y();
    }
    return workTop;
}

void ItemWindow::reserveOwnSpan() {
    if (internalWinId() == 0 || !isVisible() || !item_window_x11::isAvailable()) {
        return;
    }
    // Reservations count from the top of the whole X screen: a primary screen below another one
    // cannot reserve its own top rows.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr || primary->geometry().top() != 0) {
        return;
    }
    const QRect frame = geometry();
    const qreal ratio = devicePixelRatio();
    reservedBottom_ = frame.bottom() + 1;
    item_window_x11::reserveTop(
        std::uint32_t(internalWinId()), int(std::lround((frame.bottom() + 1) * ratio)),
        {int(std::lround(frame.left() * ratio)), int(std::lround((frame.right() + 1) * ratio)) - 1});
}

void ItemWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
    if (image_.isNull()) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF logical = image_.deviceIndependentSize();
    const QPointF centre = QRectF(rect()).center();
    painter.translate(centre);
    painter.scale(scale_, scale_);
    painter.drawImage(QPointF(-logical.width() / 2, -logical.height() / 2), image_);
}

void ItemWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->button() == Qt::LeftButton && modifiers.testFlag(Qt::MetaModifier)) {
        drag_ = Drag{event->globalPosition().x(), rightOffset(), false};
        return;
    }
    if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        if (events_.clicked) {
            events_.clicked(StatusItemMouseEvent::rightMouseDown, clickModifiers(modifiers));
        }
    }
}

void ItemWindow::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!drag_) {
        return;
    }
    const double moved = event->globalPosition().x() - drag_->startX;
    // Within the drag threshold the press may still be a Super-click.
    if (!drag_->moving && std::abs(moved) < QGuiApplication::styleHints()->startDragDistance()) {
        return;
    }
    drag_->moving = true;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double maxOffset = primary != nullptr ? std::max(0, primary->geometry().width() - width()) : 0.0;
    Prefs::set(offsetKey_, std::clamp(drag_->startOffset - moved, 0.0, maxOffset));
    place();
}

void ItemWindow::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const auto drag = std::exchange(drag_, std::nullopt); drag && drag->moving) {
        return;
    }
    // A release outside the item is a click abandoned.
    if (rect().contains(event->position().toPoint()) && events_.clicked) {
        events_.clicked(StatusItemMouseEvent::leftMouseUp, clickModifiers(event->modifiers()));
    }
}

void ItemWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!carriesText(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    setTextDropTargeted(true);
}

void ItemWindow::dragLeaveEvent(QDragLeaveEvent* event) {
    event->accept();
    setTextDropTargeted(false);
}

void ItemWindow::dropEvent(QDropEvent* event) {
    setTextDropTargeted(false);
    if (!carriesText(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The bytes are copied now: the drag's data is gone once this event returns. Decoding a long
    // string happens on a worker; the result comes back to the main thread.
    QByteArray bytes = textBytes(event->mimeData());
    QPointer<ItemWindow> self(this);
    QThreadPool::globalInstance()->start([bytes = std::move(bytes), self] {
        QString text = QString::fromUtf8(bytes);
        dispatchToMain([self, text = std::move(text)] {
            if (self && self->events_.textDropped) {
                self->events_.textDropped(text);
            }
        });
    });
}

void ItemWindow::setTextDropTargeted(bool targeted) {
    if (targeted != textDragInside_) {
        textDragInside_ = targeted;
        if (events_.dropTargetedChanged) {
            events_.dropTargetedChanged(targeted);
        }
    }
}

void ItemWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    reserveOwnSpan();
    reportGeometry();
}

void ItemWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reserveOwnSpan();
    reportGeometry();
}

void ItemWindow::showEvent(QShowEvent* event) {
    item_window_x11::markAsDock(std::uint32_t(winId()));
    QWidget::showEvent(event);
    if (!visibilityWatch_ && LinuxSession::current().qtOnX11()) {
        visibilityWatch_ =
            std::make_unique<x11::VisibilityWatch>(std::uint32_t(winId()), [this] { reportGeometry(); });
    }
    place();
    reserveOwnSpan();
    reportGeometry();
}

void ItemWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    reportGeometry();
}

void ItemWindow::reportGeometry() {
    if (events_.geometryChanged) {
        events_.geometryChanged();
    }
}

} // namespace zendra
