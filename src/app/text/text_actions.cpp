#include "app/text/text_actions.h"

#include "app/identity.h"
#include "app/text/text_rules.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"

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

namespace TextActions {

void clearTextByRemoving() {
    Settings::text().reset();
}

void clearTextByStoring() {
    Prefs::set(Settings::text(), QString());
}

std::unique_ptr<QMimeData> copyData(const QString& text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    data->setData(QString::fromLatin1(pasteboardSourceFormat), QByteArray(identity::bundleIdentifier));
    return data;
}

void copyText(Pasteboard& pasteboard) {
    pasteboard.write(copyData(Prefs::get(Settings::text())));
}

void setTextFromString(const std::optional<QString>& text) {
    if (text) {
        Prefs::set(Settings::text(), singleLineText(*text));
    }
}

void setTextFromClipboard(const Pasteboard& pasteboard) {
    setTextFromString(pasteboard.plainText());
}

void setTextService(const std::optional<QString>& text) {
    setTextFromString(text);
}

} // namespace TextActions
} // namespace zendra
