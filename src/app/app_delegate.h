#pragma once

// The application's answers to the launch, URL and automation callbacks.

#include "app/edit_window_lookup.h"
#include "automation/intent.h"
#include "settings/window/settings_window.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zendra {

class AppDelegate {
public:
    // `handleUrl` is the edit window's URL handling; by default a "zendra:" URL with a text sets it.
    explicit AppDelegate(EditWindowLookup lookup, std::function<void(const QString&)> handleUrl = {},
                         Settings::SettingsWindow::Environment settings = {});

    // Launching finished: the edit window, built hidden, stays closed until toggled.
    void applicationDidFinishLaunching();
    // Opening a URL never leaves the edit window on screen: it is hidden now and, in case showing
    // was already queued, once more on the next turn of the main queue.
    void openUrls(const QStringList& urls);
    // A new handler object on every call; none for an intent nobody serves.
    std::unique_ptr<IntentHandler> handlerFor(const Intent& intent) const;

    IntentRoutes& intentRoutes() { return routes_; }

    // Opens the one settings window, or brings it to the front, on the next turn of the main queue.
    // Any caller, from any thread.
    void openSettingsWindow() { settingsWindow_.open(); }
    // The settings window once it has been opened; null before.
    QWidget* settingsWindow() const { return settingsWindow_.screen(); }

private:
    EditWindowLookup lookup_;
    std::function<void(const QString&)> handleUrl_;
    IntentRoutes routes_;
    Settings::SettingsWindow settingsWindow_;
};

// Stores the text of a "zendra:" URL; other URLs are ignored.
void setTextFromUrl(const QString& url);

} // namespace zendra
