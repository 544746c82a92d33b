#pragma once

// The hidden user debug window: five buttons, separated by dividers, for reporting problems and
// starting over. One window, created on first use and reused.

#include "kit/debug_actions.h"
#include "kit/menu_bar_app_window.h"

#include <QPointer>
#include <QWidget>

class QPushButton;

namespace zendra::KZApp {

class UserDebugView final : public MenuBarAppWindow {
public:
    explicit UserDebugView(DebugActions actions, QWidget* parent = nullptr);

    QPushButton* button(int index) const; // 0 to 4, in the order shown

private:
    DebugActions actions_;
    std::vector<QPushButton*> buttons_;
};

class UserDebugWindowController {
public:
    explicit UserDebugWindowController(DebugActions actions) : actions_(std::move(actions)) {}
    ~UserDebugWindowController();
    void show();
    UserDebugView* window() const { return window_; }

private:
    DebugActions actions_;
    QPointer<UserDebugView> window_;
};

} // namespace zendra::KZApp
