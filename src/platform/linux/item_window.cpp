#include "platform/linux/item_window.h"

#include "app/text/text_rules.h"
#include "base/main_queue.h"
#include "platform/linux/dbus/panel_menu_popup.h"
#include "prefs/prefs.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QThreadPool>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <xcb/xcb.h>

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

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

ItemWindow::ItemWindow(std::shared_ptr<Prefs::Suite> suite)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      offsetKey_(QStringLiteral("itemWindowRightOffset"), 0.0, std::move(suite)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
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
    QWidget::setToolTip(toolTip.value_or(QString()));
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
    popUpPanelMenu(menu, anchor->bottomLeft() + QPoint(0, 1), this);
    return true;
}

bool ItemWindow::isOnScreen() const {
    if (!isVisible() || windowHandle() == nullptr || !windowHandle()->isExposed()) {
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
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screenGeometryConnection_ = connect(primary, &QScreen::geometryChanged, this, [this] { place(); });
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
    move(area.right() + 1 - offset - width(), area.top());
}

void ItemWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
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
        drag_ = std::pair(event->globalPosition().x(), rightOffset());
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
    const double moved = event->globalPosition().x() - drag_->first;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double maxOffset = primary != nullptr ? std::max(0, primary->geometry().width() - width()) : 0.0;
    Prefs::set(offsetKey_, std::clamp(drag_->second - moved, 0.0, maxOffset));
    place();
}

void ItemWindow::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (drag_) {
        drag_.reset();
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
    reportGeometry();
}

void ItemWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reportGeometry();
}

void ItemWindow::showEvent(QShowEvent* event) {
    markOutOfTaskbar();
    QWidget::showEvent(event);
    place();
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

// Keeps the window out of taskbars and pagers on X11 window managers. Set on the unmapped window,
// which is when window managers read the initial state.
void ItemWindow::markOutOfTaskbar() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t atoms[] = {internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                internAtom(connection, "_NET_WM_STATE_SKIP_PAGER"),
                                internAtom(connection, "_NET_WM_STATE_ABOVE")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(winId()), state, XCB_ATOM_ATOM, 32,
                        std::size(atoms), atoms);
    xcb_flush(connection);
}

} // namespace zendra
