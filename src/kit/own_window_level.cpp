#include "kit/own_window_level.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace zendra::KZApp {

bool raisesOver(const QWindow& focused, const QWindow& kept) {
    return &focused != &kept && focused.type() == Qt::Window && !focused.isModal() &&
           focused.transientParent() == nullptr && kept.isVisible() &&
           kept.visibility() != QWindow::Minimized;
}

void keepAboveOwnWindows(QWidget& window) {
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &window, [&window](QWindow* focused) {
        const QWindow* kept = window.windowHandle();
        if (focused != nullptr && kept != nullptr && raisesOver(*focused, *kept)) {
            window.raise();
        }
    });
}

} // namespace zendra::KZApp
