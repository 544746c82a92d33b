#pragma once

// Zendra's own panel item: a small frameless dock window at the top of the primary screen's work area
// (below the panels there), right-aligned, without taskbar entry or focus, reserving only its own span
// of the top edge. It shows the item's picture and tooltip,
// reports clicks with their modifiers, takes dropped text and anchors popups. Holding Super while
// dragging moves it along the top edge; the distance from the screen's right edge is kept in the
// standard suite under "itemWindowRightOffset" (logical pixels, default 0), so it comes back there.

#include "panel/status_bar.h"
#include "prefs/key.h"
#include "prefs/standard_suite.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

namespace zendra {

namespace x11 {
class VisibilityWatch;
}

class ItemWindow final : public QWidget, public StatusBarItem {
public:
    // The stored place, in the given suite (the standard one by default).
    explicit ItemWindow(std::shared_ptr<Prefs::Suite> suite = Prefs::standardSuite());
    ~ItemWindow() override;

    void setEvents(StatusBarEvents events) override;
    void setImage(const QImage& image, QSizeF logicalSize) override;
    // Shown on hover although the window is never active.
    void setToolTip(const std::optional<QString>& toolTip) override;
    // The background follows the appearance the image was drawn for.
    void setDarkAppearance(bool dark) override;
    bool setContentScale(double scale) override;
    qreal devicePixelRatio() const override;
    bool popUpMenu(QMenu& menu) override;
    // Mapped, at least partly inside a screen, and (on X11) not fully covered by other windows.
    bool isOnScreen() const override;
    std::optional<QRect> anchorRect() const override;

    // The distance between the window's right edge and the primary screen's right edge.
    double rightOffset() const;
    QColor backgroundColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void place();
    // Below the top edges other clients reserve over the window's span.
    int topEdge(const QScreen& screen, int x) const;
    void reserveOwnSpan();
    void followPrimaryScreen();
    void reportGeometry();
    void setTextDropTargeted(bool targeted);

    Prefs::Key<double> offsetKey_;
    StatusBarEvents events_;
    QImage image_;
    QSize itemSize_{24, 24};
    double scale_ = 1.0;
    bool textDragInside_ = false;
    bool dark_ = false;
    // While Super is held on the item: the global x of the press, the offset at that moment, and
    // whether the pointer has gone past the drag threshold (else the release is a click).
    struct Drag {
        double startX;
        double startOffset;
        bool moving;
    };
    std::optional<Drag> drag_;
    // The bottom edge of the top rows this window reserves, logical.
    std::optional<int> reservedBottom_;
    QMetaObject::Connection screenGeometryConnection_;
    QMetaObject::Connection workAreaConnection_;
    std::unique_ptr<x11::VisibilityWatch> visibilityWatch_; // on X11, once the window exists
};

} // namespace zendra
