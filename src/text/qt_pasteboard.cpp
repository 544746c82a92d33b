// The Qt Gui side of the text actions, apart from them so that the actions need only Qt Core.
#include "text/text_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zendra {

std::optional<QString> QtPasteboard::plainText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText()) {
        return std::nullopt;
    }
    return data->text();
}

void QtPasteboard::write(std::unique_ptr<QMimeData> data) {
    // The clipboard takes ownership of the data.
    QGuiApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
}

} // namespace zendra
