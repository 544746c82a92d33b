#pragma once

// Finds the edit window by its class among the application's top-level widgets, each time it is
// needed: only the composition root owns it, and the parts that show or hide it hold no reference.

#include <QMetaObject>
#include <functional>

class QWidget;

namespace zendra {

class EditWindowLookup {
public:
    // Without a class (the edit window is not built into this process) nothing is ever found.
    EditWindowLookup() = default;
    explicit EditWindowLookup(const QMetaObject& windowClass) : windowClass_(&windowClass) {}

    // The first and the last matching top-level widget, in QApplication::topLevelWidgets() order.
    QWidget* editWindow() const;
    QWidget* lastEditWindow() const;

private:
    const QMetaObject* windowClass_ = nullptr;
};

// Closes the window when it is visible and active; otherwise shows it, brings it to the front and
// gives it the keyboard focus, through `activate` when given. Does nothing without a window.
void toggle(QWidget* window, const std::function<void(QWidget&)>& activate = {});

} // namespace zendra
