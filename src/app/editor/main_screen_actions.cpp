#include "app/editor/main_screen_actions.h"

#include "app/identity.h"
#include "app/editor/url_opener.h"
#include "base/main_queue.h"

#include <QAction>
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
    QObject::connect(menu.addAction(QStringLiteral("About")), &QAction::triggered, &menu,
                     [actions] { run(actions->showAbout); });
    menu.addSeparator();

    QAction* settings = menu.addAction(QStringLiteral("Settings…"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    QObject::connect(settings, &QAction::triggered, &menu, [actions] { runLater(actions->openSettings); });
    menu.addSeparator();

    QObject::connect(menu.addAction(QStringLiteral("Send Feedback…")), &QAction::triggered, &menu,
                     [actions] { run(actions->sendFeedback); });
    menu.addSeparator();
    menu.addSeparator();

    const auto addLink = [&](const QString& title, const QString& section) {
        QObject::connect(menu.addAction(title), &QAction::triggered, &menu,
                         [urlOpener, url = productPageUrl(section)] { urlOpener->open(url); });
    };
    addLink(QStringLiteral("Tips"), QStringLiteral("#tips"));
    addLink(QStringLiteral("Scripting"), QStringLiteral("#scripting"));
    addLink(QStringLiteral("FAQ"), QStringLiteral("#faq"));
    addLink(QStringLiteral("Website"), QString());
    menu.addSeparator();
    menu.addSeparator();

    QAction* quit =
        menu.addAction(QStringLiteral("Quit %1").arg(QString::fromUtf8(identity::applicationName)));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(quit, &QAction::triggered, &menu, [actions] { runLater(actions->quit); });
}

} // namespace zendra
