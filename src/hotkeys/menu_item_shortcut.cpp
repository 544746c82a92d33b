#include "hotkeys/menu_item_shortcut.h"

#include "base/notification_center.h"
#include "hotkeys/display.h"
#include "hotkeys/hotkeys.h"

namespace zendra::Hotkeys {

namespace {

zendra::KeyEquivalent keyEquivalentFor(const Name& name) {
    const auto shortcut = getShortcut(name);
    if (!shortcut) {
        return {};
    }
    return {menuKeyEquivalent(*shortcut), shortcut->modifiers()};
}

} // namespace

void setShortcut(const std::shared_ptr<zendra::MenuItem>& item, const std::optional<Name>& name) {
    if (!item) {
        return;
    }
    if (!name) {
        item->association = zendra::Cancellable();
        item->setKeyEquivalent({});
        return;
    }
    followStoredChanges(*name);
    item->setKeyEquivalent(keyEquivalentFor(*name));
    std::weak_ptr<zendra::MenuItem> weakItem = item;
    item->association = zendra::NotificationCenter::defaultCenter().addObserver(
        shortcutByNameDidChange,
        [weakItem, rawValue = name->rawValue](const zendra::Notification& notification) {
            const auto* changed = notification.entry<Name>(nameUserInfoKey);
            auto item = weakItem.lock();
            if (changed == nullptr || item == nullptr || changed->rawValue != rawValue) {
                return;
            }
            item->setKeyEquivalent(keyEquivalentFor(*changed));
        });
}

} // namespace zendra::Hotkeys
