#pragma once

#include "kit/tooltip.h"

#include <QPointer>
#include <QRect>
#include <memory>

namespace zendra::KZApp {

// A Tooltip at a rectangle of the screen rather than at one of Zendra's widgets: the panel item that a
// panel host draws, or a place where the item would be. An invisible window at the rectangle's corner
// carries the tip and goes away with it.
class AnchoredTooltip {
public:
    explicit AnchoredTooltip(Tooltip::Options options,
                             std::shared_ptr<Prefs::Suite> suite = Prefs::standardSuite());
    ~AnchoredTooltip();
    AnchoredTooltip(const AnchoredTooltip&) = delete;
    AnchoredTooltip& operator=(const AnchoredTooltip&) = delete;

    // Shows the tip beside `anchor` (global logical coordinates) on `preferredEdge`, as Tooltip::show.
    bool show(QRect anchor, Qt::Edge preferredEdge = Qt::BottomEdge);
    void close() { tooltip_.close(); }

    bool isShown() const { return tooltip_.isShown(); }
    QWidget* popover() const { return tooltip_.popover(); }
    const Tooltip& tooltip() const { return tooltip_; }

private:
    Tooltip tooltip_;
    QPointer<QWidget> carrier_;
};

} // namespace zendra::KZApp
