#include "app/edit_window_lookup.h"

#include <QApplication>
#include <QWidget>

namespace zendra {

namespace {

bool isEditWindow(const QWidget* widget, const QMetaObject* windowClass) {
    return widget->metaObject()->inherits(windowClass);
}

} // namespace

QWidget* EditWindowLookup::editWindow() const {
    if (!windowClass_) {
        return nullptr;
    }
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* widget : widgets) {
        if (isEditWindow(widget, windowClass_)) {
            return widget;
        }
    }
    return nullptr;
}

QWidget* EditWindowLookup::lastEditWindow() const {
    if (!windowClass_) {
        return nullptr;
    }
    const auto widgets = QApplication::topLevelWidgets();
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) {
        if (isEditWindow(*it, windowClass_)) {
            return *it;
        }
    }
    return nullptr;
}

void toggle(QWidget* window, const std::function<void(QWidget&)>& activate) {
    if (!window) {
        return;
    }
    if (window->isVisible() && window->isActiveWindow()) {
        window->close();
        return;
    }
    if (activate) {
        activate(*window);
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace zendra
