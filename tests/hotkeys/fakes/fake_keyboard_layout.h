#pragma once

#include "hotkeys/keyboard_layout.h"
#include "hotkeys/system_wide_shortcuts.h"

#include <map>
#include <set>

namespace zendra::test {

// A layout given as a table of key texts. Keys missing from the table fail to translate; without a
// layout nothing translates.
class FakeKeyboardLayout : public Hotkeys::KeyboardLayout {
public:
    bool hasLayout = true;
    std::map<std::uint16_t, QString> texts;
    int calls = 0;

    std::optional<QString> displayText(std::uint16_t keyCode) override {
        ++calls;
        if (!hasLayout) {
            return std::nullopt;
        }
        auto found = texts.find(keyCode);
        return found == texts.end() ? std::nullopt : std::optional(found->second);
    }

    // Letters, digits and the slash of a U.S. layout, by virtual key code (a blank: no entry); the Shift
    // key types nothing.
    static std::shared_ptr<FakeKeyboardLayout> us() {
        auto layout = std::make_shared<FakeKeyboardLayout>();
        const QString keys = QStringLiteral("asdfhgzxcv bqweryt12   5       ou ip lj k   /nm");
        for (std::uint16_t code = 0; code < keys.size(); ++code) {
            if (keys[code] != u' ') {
                layout->texts[code] = keys[code];
            }
        }
        layout->texts[0x38] = QString();
        return layout;
    }
};

class FakeSystemWideShortcuts : public Hotkeys::SystemWideShortcuts {
public:
    std::set<std::pair<std::int64_t, std::int64_t>> held;
    Hotkeys::SystemWideAvailability availability(const Hotkeys::Shortcut& shortcut) override {
        return held.contains({shortcut.carbonKeyCode, shortcut.carbonModifiers})
                   ? Hotkeys::SystemWideAvailability::heldByAnotherClient
                   : Hotkeys::SystemWideAvailability::available;
    }
};

} // namespace zendra::test
