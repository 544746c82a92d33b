#pragma once

#include "panel/status_bar.h"

#include <QMenu>

namespace zendra::test {

// A panel item that records what it was given and lets a test play the user's part.
class FakeStatusBarItem final : public StatusBarItem {
public:
    void setEvents(StatusBarEvents e) override { events = std::move(e); }
    void setImage(const QImage& i, QSizeF size) override {
        image = i;
        logicalSize = size;
        ++imageCount;
    }
    void setToolTip(const std::optional<QString>& t) override { toolTip = t; }
    void setDarkAppearance(bool d) override { dark = d; }
    bool setContentScale(double s) override {
        scale = s;
        return true;
    }
    qreal devicePixelRatio() const override { return 1.0; }
    bool popUpMenu(QMenu&) override { return false; }
    bool isOnScreen() const override { return anchor.has_value() || shownWithoutAnchor; }
    std::optional<QRect> anchorRect() const override { return anchor; }

    StatusBarEvents events;
    QImage image;
    QSizeF logicalSize;
    int imageCount = 0;
    std::optional<QString> toolTip;
    bool dark = false;
    double scale = 1.0;
    std::optional<QRect> anchor = QRect(900, 0, 80, 24);
    bool shownWithoutAnchor = false; // a host shows it but has not said where
};

} // namespace zendra::test
