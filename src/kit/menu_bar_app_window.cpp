#include "kit/menu_bar_app_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

namespace zendra::KZApp {

MenuBarAppWindow::MenuBarAppWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setGeometry(0, 0, 100, 100);
}

bool MenuBarAppWindow::performClose() {
    return isClosable() && close();
}

void MenuBarAppWindow::center() {
    const QScreen* target = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (target == nullptr) {
        return;
    }
    // Before the first show the frame is not known yet; the window's own size is close enough.
    const QSize size = isVisible() ? frameGeometry().size() : this->size();
    QRect frame(QPoint(), size);
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

void MenuBarAppWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers significant = event->modifiers() & ~Qt::KeypadModifier;
    if (significant == Qt::ControlModifier && event->key() == Qt::Key_W) {
        performClose();
        return;
    }
    if (significant == Qt::ControlModifier && event->key() == Qt::Key_M) {
        if (isMinimizable()) {
            showMinimized();
        }
        return;
    }
    if (event->key() == Qt::Key_Escape && shouldCloseOnEscapePress) {
        performClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuBarAppWindow::closeEvent(QCloseEvent* event) {
    // The window manager's close stands for the close button; the program may always close.
    if (event->spontaneous() && !isClosable()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void MenuBarAppWindow::mousePressEvent(QMouseEvent* event) {
    if (movableByBackground_ && event->button() == Qt::LeftButton && windowHandle() != nullptr &&
        windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void MenuBarAppWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    keepBelowMenuBar();
}

void MenuBarAppWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    keepBelowMenuBar();
    // Redraw for the new screen's colours when the window changes screens.
    if (!screenConnection_ && windowHandle() != nullptr) {
        screenConnection_ = connect(windowHandle(), &QWindow::screenChanged, this, [this] { update(); });
    }
}

void MenuBarAppWindow::keepBelowMenuBar() {
    if (allowedAboveMenuBar || !isWindow() || screen() == nullptr) {
        return;
    }
    // A window's position is that of its frame.
    const int top = screen()->availableGeometry().top();
    if (y() < top) {
        move(x(), top);
    }
}

} // namespace zendra::KZApp
