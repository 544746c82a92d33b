#pragma once

// What the application needs of a panel item, whatever shows it: Zendra's own item window, or an item
// hosted by the desktop's panel. The item belongs to the main thread; every call and every callback
// happens there.

#include "panel/status_item_click.h"

#include <QImage>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

class QMenu;

namespace zendra {

// The item's events. Unset callbacks are ignored.
struct StatusBarEvents {
    // The clicks the item acts on, as a panel button sends its action: the release of the left button
    // and the press of the right one (or of the middle one, reported as right). Presses of the left
    // button and releases of the right one are not reported.
    std::function<void(StatusItemMouseEvent, StatusItemClickModifiers)> clicked;
    // A drag that carries text entered (true) or left or was dropped (false).
    std::function<void(bool)> dropTargetedChanged;
    // Text dropped onto the item, loaded in full. Drops without text are refused by the backend and
    // never reach here; a drop whose text could not be loaded is accepted and reported to nobody.
    std::function<void(const QString&)> textDropped;
    // The item moved, changed size, or appeared on or vanished from the screen.
    std::function<void()> geometryChanged;
};

class StatusBarItem {
public:
    virtual ~StatusBarItem() = default;

    virtual void setEvents(StatusBarEvents events) = 0;

    // Shows `image` (at its own device pixel ratio) in an item of `logicalSize`.
    virtual void setImage(const QImage& image, QSizeF logicalSize) = 0;
    // Whether the image was drawn for a dark panel; a backend that paints its own background behind
    // the image matches it.
    virtual void setDarkAppearance(bool dark) { (void)dark; }
    // The tooltip; none removes it.
    virtual void setToolTip(const std::optional<QString>& toolTip) = 0;
    // What the image shows as plain words on one line, for panels that draw text themselves; empty
    // while the placeholder shows. Backends that show only the image ignore it.
    virtual void setLabel(const QString& label) { (void)label; }
    // Draws the image scaled by `scale` about its centre (the drop highlight). False when the backend
    // cannot scale its picture; the item then stays as it is.
    virtual bool setContentScale(double scale) = 0;
    // The pixel ratio images should be rendered at.
    virtual qreal devicePixelRatio() const = 0;

    // Pops `menu` up at the item and returns at once. False when the backend cannot show it there
    // (the item is not on screen, or the host shows menus itself).
    virtual bool popUpMenu(QMenu& menu) = 0;

    // True only while the item is mapped and at least partly inside a screen.
    virtual bool isOnScreen() const = 0;
    // True while a panel host has yet to answer whether it shows the item: isOnScreen() is not its
    // last word then.
    virtual bool isAwaitingHost() const { return false; }
    // The item's frame in global logical coordinates, for anchoring popups under it; none while it is
    // not on screen or the backend cannot tell where the host draws it.
    virtual std::optional<QRect> anchorRect() const = 0;
};

} // namespace zendra
