#include "app/app_panel_item.h"

#include "app/status_item_screen.h"
#include "platform/linux/item_window.h"
#include "platform/linux/panel_appearance_portal.h"

namespace zendra {

namespace {

class ItemWindowStatusItem final : public StatusItem {
public:
    explicit ItemWindowStatusItem(StatusItemCallbacks callbacks)
        : screen_(window_, appearance_, StatusItemScreen::Actions{std::move(callbacks.toggleEditWindow)}) {
        screen_.setClickHandler(std::move(callbacks.clicked));
        window_.show();
    }

    bool popUpMenu(QMenu& menu) override { return window_.popUpMenu(menu); }

private:
    // Declared in the order they depend on each other: the view needs the window and the appearance.
    ItemWindow window_;
    PortalPanelAppearance appearance_;
    StatusItemScreen screen_;
};

} // namespace

std::unique_ptr<StatusItem> makeItemWindowStatusItem(StatusItemCallbacks callbacks) {
    return std::make_unique<ItemWindowStatusItem>(std::move(callbacks));
}

} // namespace zendra
