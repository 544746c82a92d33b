#include "app/panel/clear_text_tip.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace zendra {

namespace {

QLabel* makeLine(const QString& richText, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(richText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter);
    // Clicks go to the tip itself.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

ClearTextTip::ClearTextTip(std::function<void()> onClicked)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      onClicked_(std::move(onClicked)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("clearTextTip"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);
    auto* first = makeLine(
        QCoreApplication::translate("zendra::ClearTextTip",
                                    "Click the menu bar item while pressing <i>Shift</i> to clear the text"),
        this);
    auto* second = makeLine(
        QCoreApplication::translate("zendra::ClearTextTip", "Close this tip first by double-clicking it")
            .toHtmlEscaped(),
        this);
    first->setObjectName(QStringLiteral("clearTextTipMessage"));
    second->setObjectName(QStringLiteral("clearTextTipHint"));

    // The secondary style: a smaller font in the palette's dimmed text colour.
    QFont small = second->font();
    small.setPixelSize(std::max(9, QFontInfo(small).pixelSize() - 2));
    second->setFont(small);
    QPalette dimmed = second->palette();
    dimmed.setColor(QPalette::WindowText, dimmed.color(QPalette::PlaceholderText));
    second->setPalette(dimmed);

    first->setFixedWidth(contentWidth);
    second->setFixedWidth(contentWidth);
    layout->addWidget(first, 0, Qt::AlignHCenter);
    layout->addWidget(second, 0, Qt::AlignHCenter);
    adjustSize();
}

void ClearTextTip::showUnder(const QRect& anchor) {
    adjustSize();
    QPoint topLeft(anchor.center().x() - width() / 2, anchor.bottom() + 1);
    if (const QScreen* screen = QGuiApplication::screenAt(anchor.center())) {
        const QRect area = screen->geometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
        // A panel at the bottom edge: above the item instead.
        if (topLeft.y() + height() > area.bottom() + 1) {
            topLeft.setY(anchor.top() - height());
        }
    }
    move(topLeft);
    show();
}

void ClearTextTip::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (onClicked_) {
        onClicked_();
    }
}

void ClearTextTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zendra
