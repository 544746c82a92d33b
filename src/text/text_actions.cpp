#include "text/text_actions.h"

#include "base/identity.h"
#include "prefs/prefs.h"
#include "settings/text/text_keys.h"
#include "text/text_rules.h"

#include <QMimeData>

namespace zendra {

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
