#pragma once

// The reporting side of the running application: the in-memory log, crash reports, the debug report
// with the Linux facts, feedback, the two debug windows and the data reset with its relaunch.

#include "kit/debug_actions.h"
#include "kit/debug_report.h"
#include "kit/debug_window.h"
#include "kit/message_log.h"
#include "kit/user_debug_window.h"
#include "panel/backend/panel_item_backend.h"

#include <functional>
#include <memory>
#include <optional>

namespace zendra {

class KZKit;
class MemoryFootprint;

// The custom entries every report carries on Linux: the session, the desktop, where the item shows
// and whether a panel host is registered. `onScreen` is none outside the application.
KZApp::DebugEntries linuxDebugEntries(PanelItemBackend panelItem, std::optional<bool> onScreen);

// The report's sources for this process; `kit` none outside the application.
KZApp::DebugSources linuxDebugSources(const KZKit* kit, std::shared_ptr<const KZApp::MessageLog> log,
                                      std::function<KZApp::DebugEntries()> custom);

// The feedback page, the support address and the crash folder, with the Linux desktop services.
KZApp::DebugActions linuxDebugActions(std::function<KZApp::DebugFacts()> facts,
                                      std::function<QStringList()> reset, std::function<void()> relaunch);

class AppSupport {
public:
    // Installs the in-memory log and the crash handler at once.
    AppSupport();
    ~AppSupport();
    AppSupport(const AppSupport&) = delete;
    AppSupport& operator=(const AppSupport&) = delete;

    struct Environment {
        const KZKit* kit = nullptr;
        std::shared_ptr<MemoryFootprint> footprint;
        PanelItemBackend panelItem = PanelItemBackend::automatic;
        std::function<std::optional<bool>()> itemOnScreen; // none before the item exists
        std::function<void()> relaunch;
    };
    // Builds the actions and windows once the kit runs.
    void start(Environment environment);

    const KZApp::DebugActions& actions() const { return *actions_; }
    void showUserDebugWindow();
    void showDebugWindow();
    void promptDataReset();

private:
    std::shared_ptr<KZApp::MessageLog> log_;
    std::unique_ptr<KZApp::DebugActions> actions_;
    std::unique_ptr<KZApp::UserDebugWindowController> userWindow_;
    std::unique_ptr<KZApp::DebugWindowController> debugWindow_;
};

} // namespace zendra
