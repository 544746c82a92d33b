#pragma once

// One panel item over two backends: the desktop's panel while a panel host shows the item, Zendra's
// own item window whenever none does (no panel, a panel that has not started yet, or one that went
// away). While the panel's answer is on its way, the window stays hidden so it does not flash up.
// Both backends get every picture, tooltip and label, so switching shows the current item at once.

#include "panel/status_bar.h"

#include <functional>

namespace zendra {

class PanelItemSwitch final : public StatusBarItem {
public:
    enum class PanelState { pending, hosted, unhosted };

    struct Panel {
        StatusBarItem& item;
        std::function<PanelState()> state;
    };
    struct Window {
        StatusBarItem& item;
        std::function<void(bool shown)> setShown;
    };

    // Takes over the panel's geometry events to follow its state; shows or hides the window at once.
    PanelItemSwitch(Panel panel, Window window);

    // The backend that shows the item now.
    StatusBarItem& active() const;
    // Looks at the panel's state again (done by itself whenever the panel reports a change).
    void update();

    void setEvents(StatusBarEvents events) override;
    void setImage(const QImage& image, QSizeF logicalSize) override;
    void setDarkAppearance(bool dark) override;
    void setToolTip(const std::optional<QString>& toolTip) override;
    void setLabel(const QString& label) override;
    bool setContentScale(double scale) override;
    qreal devicePixelRatio() const override;
    bool popUpMenu(QMenu& menu) override;
    bool isOnScreen() const override;
    // While the panel's answer is on its way (the window is hidden then).
    bool isAwaitingHost() const override;
    std::optional<QRect> anchorRect() const override;

private:
    Panel panel_;
    Window window_;
    std::function<void()> geometryChanged_;
    bool windowShown_ = false;
    bool updated_ = false;
};

} // namespace zendra
