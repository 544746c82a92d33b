#include "panel/clear_text_tip.h"

#include "panel/popup_placement.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
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
                                    "Click the panel item while pressing <i>Shift</i> to clear the text"),
        this);
    auto* second = makeLine(
        QCoreApplication::translate("zendra::ClearTextTip", "Close this tip first by single-clicking it")
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

void ClearTextTip::showUnder(std::optional<QRect> anchor) {
    adjustSize();
    move(popupPosition(size(), anchor, popupWorkArea(anchor), PopupAlignment::centred));
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
