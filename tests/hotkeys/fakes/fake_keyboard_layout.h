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

    // Letters and digits of a U.S. layout.
    static std::shared_ptr<FakeKeyboardLayout> us() {
        auto layout = std::make_shared<FakeKeyboardLayout>();
        const char* letters = "asdfhgzxcv\0bqweryt";
        for (std::uint16_t code = 0; code < 0x12; ++code) {
            if (letters[code] != '\0') {
                layout->texts[code] = QString(QChar(letters[code]));
            }
        }
        layout->texts.insert({{0x12, "1"},
                              {0x13, "2"},
                              {0x17, "5"},
                              {0x1F, "o"},
                              {0x20, "u"},
                              {0x22, "i"},
                              {0x23, "p"},
                              {0x25, "l"},
                              {0x26, "j"},
                              {0x28, "k"},
                              {0x2D, "n"},
                              {0x2E, "m"},
                              {0x2C, "/"},
                              {0x38, ""}});
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
