#include "editor/main_screen_actions.h"

#include "base/identity.h"
#include "base/main_queue.h"
#include "editor/url_opener.h"
#include "settings/settings_button.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace zendra {

namespace {

void run(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

// Settings and Quit wait for the menu to close and its event handling to unwind.
void runLater(const std::function<void()>& action) {
    if (action) {
        dispatchToMain(action);
    }
}

} // namespace

QUrl productPageUrl(const QString& section) {
    return QUrl(QString::fromUtf8(identity::productPage) + section);
}

void fillActionsMenu(QMenu& menu, std::shared_ptr<const MainScreenActions> actions,
                     std::shared_ptr<UrlOpener> urlOpener) {
    menu.setSeparatorsCollapsible(true);
    QObject::connect(menu.addAction(QCoreApplication::translate("zendra::MainScreen", "About")),
                     &QAction::triggered, &menu, [actions] { run(actions->showAbout); });
    menu.addSeparator();

    QAction* settings = menu.addAction(Settings::settingsButtonTitle());
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    QObject::connect(settings, &QAction::triggered, &menu, [actions] { runLater(actions->openSettings); });
    menu.addSeparator();

    QObject::connect(menu.addAction(QCoreApplication::translate("zendra::MainScreen", "Send Feedback…")),
                     &QAction::triggered, &menu, [actions] { run(actions->sendFeedback); });
    menu.addSeparator();
    menu.addSeparator();

    const auto addLink = [&](const QString& title, const QString& section) {
        QObject::connect(menu.addAction(title), &QAction::triggered, &menu,
                         [urlOpener, url = productPageUrl(section)] { urlOpener->open(url); });
    };
    addLink(QCoreApplication::translate("zendra::MainScreen", "Tips"), QStringLiteral("#tips"));
    addLink(QCoreApplication::translate("zendra::MainScreen", "Scripting"), QStringLiteral("#scripting"));
    addLink(QCoreApplication::translate("zendra::MainScreen", "FAQ"), QStringLiteral("#faq"));
    addLink(QCoreApplication::translate("zendra::MainScreen", "Website"), QString());
    menu.addSeparator();
    menu.addSeparator();

    //: %1 is the application's name.
    QAction* quit = menu.addAction(QCoreApplication::translate("zendra::MainScreen", "Quit %1")
                                       .arg(QString::fromUtf8(identity::applicationName)));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(quit, &QAction::triggered, &menu, [actions] { runLater(actions->quit); });
}

} // namespace zendra
