#include "kit/tooltip.h"

#include "kit/counter.h"
#include "prefs/prefs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace zendra::KZApp {

namespace {

Prefs::Key<int> countKey(const QString& identifier, const std::shared_ptr<Prefs::Suite>& suite) {
    return Prefs::Key<int>(QStringLiteral("KZ_Tooltip_") + identifier, 0, suite);
}

// Where a popup of `size` goes next to `anchor` (global coordinates) on `edge`, centred along it.
QPoint placeBeside(QRect anchor, QSize size, Qt::Edge edge) {
    switch (edge) {
    case Qt::TopEdge:
        return {anchor.center().x() - size.width() / 2, anchor.top() - size.height()};
    case Qt::LeftEdge:
        return {anchor.left() - size.width(), anchor.center().y() - size.height() / 2};
    case Qt::RightEdge:
        return {anchor.right() + 1, anchor.center().y() - size.height() / 2};
    case Qt::BottomEdge:
        break;
    }
    return {anchor.center().x() - size.width() / 2, anchor.bottom() + 1};
}

Qt::Edge opposite(Qt::Edge edge) {
    switch (edge) {
    case Qt::TopEdge:
        return Qt::BottomEdge;
    case Qt::LeftEdge:
        return Qt::RightEdge;
    case Qt::RightEdge:
        return Qt::LeftEdge;
    case Qt::BottomEdge:
        break;
    }
    return Qt::TopEdge;
}

QPoint position(QRect anchor, QSize size, Qt::Edge edge, const QScreen* screen) {
    QPoint point = placeBeside(anchor, size, edge);
    if (screen == nullptr) {
        return point;
    }
    const QRect available = screen->availableGeometry();
    if (!available.contains(QRect(point, size))) {
        const QPoint flipped = placeBeside(anchor, size, opposite(edge));
        if (available.contains(QRect(flipped, size))) {
            point = flipped;
        }
    }
    // Keep it on screen along the edge, too.
    point.setX(std::clamp(point.x(), available.left(),
                          std::max(available.left(), available.right() - size.width())));
    point.setY(std::clamp(point.y(), available.top(),
                          std::max(available.top(), available.bottom() - size.height())));
    return point;
}

} // namespace

ToolTipView::ToolTipView(const QString& text, std::optional<int> maximumWidth, QMargins contentInsets,
                         QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(contentInsets);
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("text"));
    label->setWordWrap(maximumWidth.has_value());
    if (maximumWidth) {
        label->setMaximumWidth(std::max(1, *maximumWidth - contentInsets.left() - contentInsets.right()));
    }
    layout->addWidget(label);
}

QString ToolTipView::text() const {
    const auto* label = findChild<QLabel*>(QStringLiteral("text"));
    return label != nullptr ? label->text() : QString();
}

void ToolTipView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

Tooltip::Tooltip(Options options, std::shared_ptr<Prefs::Suite> suite)
    : options_(std::move(options)), suite_(suite ? std::move(suite) : Prefs::standardSuite()) {}

Tooltip::~Tooltip() {
    delete popover_.data();
}

bool Tooltip::show(QWidget* view, Qt::Edge preferredEdge) {
    return view != nullptr && show(view, view->rect(), preferredEdge);
}

bool Tooltip::show(QWidget* view, QRect rect, Qt::Edge preferredEdge) {
    if (view == nullptr || !view->isVisible()) {
        return false;
    }
    const auto key = countKey(options_.identifier, suite_);
    if (options_.showOnlyOnce && Prefs::get(key) > 0) {
        return false;
    }
    Prefs::modify(key, [](int& count) { count = incremented(count); });

    close();
    // A tip that closes on click is a popup: Qt closes it on any click outside. Other tips are plain
    // frameless windows that stay until the program closes them.
    const Qt::WindowFlags flags =
        options_.closeOnClick
            ? Qt::Popup | Qt::FramelessWindowHint
            : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
    auto* popover = new QWidget(view->window(), flags);
    popover->setAttribute(Qt::WA_DeleteOnClose);
    popover->setAttribute(Qt::WA_ShowWithoutActivating, !options_.closeOnClick);
    popover->setObjectName(QStringLiteral("tooltipPopover"));
    auto* layout = new QVBoxLayout(popover);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* content = new ToolTipView(options_.text, options_.maximumWidth, options_.contentInsets, popover);
    layout->addWidget(content);
    QObject::connect(content, &ToolTipView::clicked, popover,
                     [onClick = options_.onClick, closeOnClick = options_.closeOnClick, popover] {
                         if (onClick) {
                             onClick();
                         }
                         if (closeOnClick) {
                             popover->close();
                         }
                     });
    popover->adjustSize();

    const QRect anchor(view->mapToGlobal(rect.topLeft()), rect.size());
    popover->move(position(anchor, popover->size(), preferredEdge, view->screen()));
    popover_ = popover;
    popover->show();
    return true;
}

void Tooltip::close() {
    if (popover_) {
        popover_->close();
    }
}

bool Tooltip::isShown() const {
    return popover_ && popover_->isVisible();
}

int Tooltip::shownCount() const {
    return Prefs::get(countKey(options_.identifier, suite_));
}

} // namespace zendra::KZApp
