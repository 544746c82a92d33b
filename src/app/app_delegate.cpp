#include "app/app_delegate.h"

#include "base/main_queue.h"
#include "prefs/prefs.h"
#include "settings/catalogue.h"
#include "text/zendra_url.h"

#include <QPointer>
#include <QWidget>

namespace zendra {

void setTextFromUrl(const QString& url) {
    if (const auto text = textFromZendraUrl(url)) {
        Prefs::set(Settings::text(), *text);
    }
}

AppDelegate::AppDelegate(EditWindowLookup lookup, std::function<void(const QString&)> handleUrl,
                         Settings::SettingsWindow::Environment settings)
    : lookup_(lookup), handleUrl_(handleUrl ? std::move(handleUrl) : setTextFromUrl),
      settingsWindow_(std::move(settings)) {}

void AppDelegate::applicationDidFinishLaunching() {
    if (QWidget* window = lookup_.editWindow()) {
        window->close();
    }
}

void AppDelegate::openUrls(const QStringList& urls) {
    if (QWidget* window = lookup_.lastEditWindow()) {
        window->hide();
        dispatchToMain([window = QPointer<QWidget>(window)] {
            if (window) {
                window->hide();
            }
        });
    }
    for (const QString& url : urls) {
        handleUrl_(url);
    }
}

std::unique_ptr<IntentHandler> AppDelegate::handlerFor(const Intent& intent) const {
    return routes_.handlerFor(intent);
}

} // namespace zendra
