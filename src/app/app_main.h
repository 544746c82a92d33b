#pragma once

// The composition root: installs the user's translations and the Linux implementations of the
// platform interfaces, then starts the application in its order (the support kit, the delegate, the
// lazy central state, the launch-at-login migration), builds the hidden edit window and finishes
// launching. Everything it creates lives until the process ends. Create it once, on the main thread,
// right after the QApplication.

#include "app/app_delegate.h"
#include "panel/backend/panel_item_backend.h"

#include <QStringList>
#include <memory>

class QApplication;
class QWidget;

namespace zendra {

class AppSupport;
class KZKit;
namespace KZApp {
class SingleWindows;
}

class AppMain {
public:
    // `relaunchArguments` are what a relaunched instance gets: the process's options without the
    // program and without a URL to open.
    AppMain(QApplication& application, PanelItemBackend panelItem, QStringList relaunchArguments);
    ~AppMain();
    AppMain(const AppMain&) = delete;
    AppMain& operator=(const AppMain&) = delete;

    KZKit& kzkit() { return *kzkit_; }
    AppDelegate& appDelegate() { return *appDelegate_; }
    // The kit's windows (welcome, ...), one instance each.
    KZApp::SingleWindows& windows() { return *windows_; }

private:
    struct Platform;

    std::unique_ptr<AppSupport> support_; // first: its log sees everything that follows
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<KZKit> kzkit_;
    std::unique_ptr<AppDelegate> appDelegate_;
    std::unique_ptr<KZApp::SingleWindows> windows_;
    std::unique_ptr<QWidget> editWindow_;
};

} // namespace zendra
