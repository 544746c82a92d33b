#pragma once

#include "base/menu_item.h"
#include "hotkeys/name.h"

#include <memory>
#include <optional>

namespace zendra::Hotkeys {

// Shows the shortcut stored for `name` as the item's key equivalent and keeps it in step with every
// later change of that shortcut while the item lives. Without a name the key equivalent is emptied and
// the earlier binding dropped. Only the key equivalent changes; the item's action is left alone.
void setShortcut(const std::shared_ptr<zendra::MenuItem>& item, const std::optional<Name>& name);

} // namespace zendra::Hotkeys
