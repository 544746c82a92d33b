#pragma once

#include <QWidget>

namespace zendra::KZApp {

// The window class the kit's windows share. Control+W closes it and Control+M minimises it (when its
// flags give it a close or minimise button), Escape closes it when shouldCloseOnEscapePress is set.
// A close the window manager asks for is refused when the window has no close button. Unless
// allowedAboveMenuBar is set, the window is kept below the top of the screen's available area (under
// the desktop's panels). It can be made movable by dragging its background.
class MenuBarAppWindow : public QWidget {
    Q_OBJECT
public:
    // A titled, closable, minimisable, resizable window with 100 by 100 of content at the origin.
    explicit MenuBarAppWindow(QWidget* parent = nullptr);

    bool shouldCloseOnEscapePress = false;
    bool allowedAboveMenuBar = false;

    void setMovableByWindowBackground(bool movable) { movableByBackground_ = movable; }
    bool isMovableByWindowBackground() const { return movableByBackground_; }

    bool isClosable() const { return windowFlags().testFlag(Qt::WindowCloseButtonHint); }
    bool isMinimizable() const { return windowFlags().testFlag(Qt::WindowMinimizeButtonHint); }
    // Closes the window as its close button would: not when it has none.
    bool performClose();
    // Moves the window to the middle of the available area of its screen (the primary one while it
    // has none yet).
    void center();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void keepBelowMenuBar();

    bool movableByBackground_ = false;
    QMetaObject::Connection screenConnection_;
};

} // namespace zendra::KZApp
