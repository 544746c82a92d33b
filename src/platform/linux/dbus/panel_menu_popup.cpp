#include "platform/linux/dbus/panel_menu_popup.h"

#include "platform/linux/session/linux_session.h"

#include <QGuiApplication>
#include <QMenu>
#include <QWidget>
#include <QWindow>

namespace zendra {

void popUpPanelMenu(QMenu& menu, QPoint point, QWidget* parent) {
    if (!LinuxSession::current().qtOnWayland()) {
        menu.popup(point);
        return;
    }
    if (parent && parent->isVisible() && parent->windowHandle()) {
        menu.winId();
        menu.windowHandle()->setTransientParent(parent->windowHandle());
        menu.popup(point);
        return;
    }
    // Fixed minimum and maximum sizes make sway and similar compositors float the window.
    menu.ensurePolished();
    menu.setFixedSize(menu.sizeHint());
    menu.setWindowFlag(Qt::FramelessWindowHint);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &menu,
                     [&menu](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive) {
                             menu.close();
                         }
                     });
    menu.popup(point);
    menu.activateWindow();
}

} // namespace zendra
