#include "kit/anchored_tooltip.h"

namespace zendra::KZApp {

AnchoredTooltip::AnchoredTooltip(Tooltip::Options options, std::shared_ptr<Prefs::Suite> suite)
    : tooltip_(std::move(options), std::move(suite)) {}

AnchoredTooltip::~AnchoredTooltip() {
    tooltip_.close();
    delete carrier_.data();
}

bool AnchoredTooltip::show(QRect anchor, Qt::Edge preferredEdge) {
    delete carrier_.data();
    // One pixel at the anchor's corner that draws nothing and lets every click through; the tip is
    // placed by the whole rectangle, given relative to it.
    auto* carrier = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                             Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                                             Qt::WindowDoesNotAcceptFocus);
    carrier->setAttribute(Qt::WA_ShowWithoutActivating);
    carrier->setAttribute(Qt::WA_TranslucentBackground);
    carrier->setAttribute(Qt::WA_NoSystemBackground);
    carrier->setObjectName(QStringLiteral("tooltipCarrier"));
    carrier->setGeometry(QRect(anchor.topLeft(), QSize(1, 1)));
    carrier->show();
    carrier_ = carrier;

    if (!tooltip_.show(carrier, QRect(QPoint(0, 0), anchor.size()), preferredEdge)) {
        delete carrier;
        return false;
    }
    // The tip deletes itself when it closes; its carrier follows.
    QObject::connect(tooltip_.popover(), &QObject::destroyed, carrier, &QObject::deleteLater);
    return true;
}

} // namespace zendra::KZApp
