#include "settings/window/info_popover_button.h"

#include "settings/window/popover.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace zendra::Settings {

InfoPopoverButton::InfoPopoverButton(const QString& content, std::optional<int> maxWidth, QWidget* parent)
    : QToolButton(parent), popover_(new Popover(this)), label_(new QLabel(content, popover_)) {
    setText(QStringLiteral("?"));
    setAccessibleName(QCoreApplication::translate("zendra::Settings", "Help"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFixedSize(20, 20);
    setStyleSheet(QStringLiteral("QToolButton { border: 1px solid palette(mid); border-radius: 10px;"
                                 " background: palette(button); font-weight: bold; }"));

    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (maxWidth) {
        label_->setMaximumWidth(*maxWidth);
    }
    auto* layout = new QVBoxLayout(popover_);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    layout->setContentsMargins(margin, margin, margin, margin + 4);
    layout->addWidget(label_);
    popover_->setOnClosed([this] { presented_ = false; });

    connect(this, &QToolButton::clicked, this, [this] { present(); });
}

InfoPopoverButton::~InfoPopoverButton() {
    popover_->setOnClosed({});
}

void InfoPopoverButton::present() {
    presented_ = true;
    popover_->present();
    if (onAction_) {
        onAction_(presented_);
    }
}

} // namespace zendra::Settings
