// Global shortcuts through the desktop portal on the private session bus.
#include "fake_global_shortcuts_portal.h"
#include "fake_portal.h"
#include "hotkeys/modifier_flags.h"
#include "platform/linux/dbus/global_shortcuts_portal.h"
#include "support/wait_until.h"

#include <QLoggingCategory>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using zendra::GlobalShortcutsPortal;
using zendra::Hotkeys::DesktopShortcut;
using zendra::Hotkeys::Shortcut;
using zendra::test::waitUntil;
namespace CarbonModifier = zendra::Hotkeys::CarbonModifier;

constexpr std::int64_t f5KeyCode = 0x60;

std::vector<DesktopShortcut> twoShortcuts() {
    return {{"toggleEditWindow", "Show or hide the editor",
             Shortcut(f5KeyCode, CarbonModifier::control | CarbonModifier::option)},
            {"clearText", "Clear the text", std::nullopt}};
}

TEST(GlobalShortcutsPortalTest, BindsItsShortcutsAndReportsPressesAndReleasesOfItsOwnSession) {
    zendra::test::FakeGlobalShortcutsPortal portal;
    GlobalShortcutsPortal shortcuts("org.zendra.Zendra");
    std::vector<QString> events;
    shortcuts.bind(
        twoShortcuts(), [&](const QString& id) { events.push_back(u'+' + id); },
        [&](const QString& id) { events.push_back(u'-' + id); });

    ASSERT_TRUE(waitUntil([&] { return portal.bindings.size() == 2; }));
    EXPECT_EQ(portal.registeredAppId, "org.zendra.Zendra") << "the portal knows whose shortcuts they are";
    EXPECT_EQ(shortcuts.session(), portal.session);
    EXPECT_EQ(portal.bindings[0].id, "toggleEditWindow");
    EXPECT_EQ(portal.bindings[0].description, "Show or hide the editor");
    EXPECT_EQ(portal.bindings[0].preferredTrigger, "CTRL+ALT+F5");
    EXPECT_EQ(portal.bindings[1].id, "clearText");
    EXPECT_TRUE(portal.bindings[1].preferredTrigger.isEmpty());

    portal.press("clearText", "/org/freedesktop/portal/desktop/session/other/app");
    portal.press("clearText");
    portal.release("clearText");
    ASSERT_TRUE(waitUntil([&] { return events.size() >= 2; }));
    EXPECT_EQ(events, (std::vector<QString>{"+clearText", "-clearText"}))
        << "another session's press is not ours";
}

std::vector<QString> warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && QLatin1String(context.category) == QLatin1String("zendra.hotkeys")) {
        warnings.push_back(message);
    }
}

TEST(GlobalShortcutsPortalTest, ADesktopWithoutTheInterfaceGetsOneLineInTheLog) {
    warnings.clear();
    const auto previous = qInstallMessageHandler(&keepWarnings);
    const auto noEvent = [](const QString&) { ADD_FAILURE() << "no shortcut is bound"; };
    {
        GlobalShortcutsPortal noPortal("org.zendra.Zendra");
        noPortal.bind(twoShortcuts(), noEvent, noEvent);
        waitUntil([] { return !warnings.empty(); });
        zendra::test::FakePortal settingsOnly(0);
        GlobalShortcutsPortal withoutInterface("org.zendra.Zendra");
        withoutInterface.bind(twoShortcuts(), noEvent, noEvent);
        waitUntil([] { return warnings.size() >= 2; });
        waitUntil([] { return false; }, 200ms);
    }
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 2u);
    for (const QString& line : warnings) {
        EXPECT_TRUE(line.contains("org.freedesktop.portal.GlobalShortcuts") &&
                    line.contains("zendra toggle-editor") && !line.contains('\n'))
            << line.toStdString();
    }
}

} // namespace
