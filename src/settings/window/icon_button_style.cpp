#include "settings/window/icon_button_style.h"

#include <QToolButton>

namespace zendra::Settings {

void applyIconButtonStyle(QToolButton& button, int padding) {
    button.setToolButtonStyle(Qt::ToolButtonIconOnly);
    button.setAutoRaise(true);
    button.setAccessibleName(button.text());
    button.setToolTip(button.text());
    button.setFocusPolicy(Qt::TabFocus);
    button.setStyleSheet(QStringLiteral("QToolButton { border: none; padding: %1px; }").arg(padding));
}

} // namespace zendra::Settings
