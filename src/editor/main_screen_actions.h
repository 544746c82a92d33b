#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QMenu;
class QWidget;

namespace zendra {

class UrlOpener;

// What the entries of the edit window's actions menu do. An empty action does nothing.
struct MainScreenActions {
    std::function<void()> showAbout;
    std::function<void()> openSettings; // run on the next turn of the event loop
    std::function<void()> sendFeedback;
    std::function<void()> quit; // run on the next turn of the event loop
};

// The product page, with a section ("#tips") or without one (empty section).
QUrl productPageUrl(const QString& section = {});

// Fills `menu` with the actions menu: About, Settings…, Send Feedback…, the Tips, Scripting and FAQ
// links, Website and Quit Zendra, with separators between the groups. Qt collapses consecutive
// separators, so the doubled ones in the list show as one line.
// The actions are read when an entry is chosen, so they may be filled in after the menu is built.
void fillActionsMenu(QMenu& menu, std::shared_ptr<const MainScreenActions> actions,
                     std::shared_ptr<UrlOpener> urlOpener);

} // namespace zendra
