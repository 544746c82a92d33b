#pragma once

#include "base/cancellable.h"
#include "base/publisher.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace zendra {

// The key equivalent of a menu item as data: the key text (one character, lower case for letters, a
// space, or a private-use function-key character) and the modifier flags that go with it. Both a Qt menu
// and an exported D-Bus menu render it their own way.
struct KeyEquivalent {
    QString key;
    std::uint64_t modifierFlags = 0;

    bool isEmpty() const { return key.isEmpty(); }
    bool operator==(const KeyEquivalent&) const = default;
};

// One entry of a menu. Menus hold items through shared pointers, so a binding that keeps an item up to
// date can refer to it weakly. Move-only: the association belongs to exactly one item.
struct MenuItem {
    QString title;
    bool enabled = true;
    KeyEquivalent keyEquivalent;
    std::function<void()> action;

    // Told after a binding changed the item, so the menus showing it can refresh.
    Subject<Signal> changed;
    // An observation tied to the item's lifetime (for example the one that follows a stored shortcut);
    // replacing it ends the earlier one.
    Cancellable association;

    MenuItem() = default;
    explicit MenuItem(QString itemTitle, std::function<void()> itemAction = {})
        : title(std::move(itemTitle)), action(std::move(itemAction)) {}
    MenuItem(MenuItem&&) = default;
    MenuItem& operator=(MenuItem&&) = default;

    void setKeyEquivalent(KeyEquivalent equivalent) {
        keyEquivalent = std::move(equivalent);
        changed.send(Signal{});
    }
};

} // namespace zendra
