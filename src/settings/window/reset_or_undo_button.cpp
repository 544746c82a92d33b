#include "settings/window/reset_or_undo_button.h"

#include "settings/window/icon_button_style.h"
#include "settings/window/symbols.h"

namespace zendra::Settings {

ResetOrUndoButton::ResetOrUndoButton(const QString& title, std::function<void()> action, QWidget* parent)
    : QToolButton(parent) {
    setText(title);
    setIcon(symbolIcon(Symbol::reset));
    setIconSize(QSize(16, 16));
    applyIconButtonStyle(*this, 0);
    connect(this, &QToolButton::clicked, this, [action = std::move(action)] {
        if (action) {
            action();
        }
    });
}

} // namespace zendra::Settings
