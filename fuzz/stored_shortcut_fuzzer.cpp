// The stored form of a global shortcut: any text as its JSON.

#include "fuzz_check.h"
#include "hotkeys/stored_shortcut.h"

using namespace zendra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<Hotkeys::Shortcut> shortcut = Hotkeys::decodeShortcut(Prefs::StoredObject(text));
    if (shortcut) {
        const QString stored = Hotkeys::encodeShortcut(*shortcut);
        Fuzz::check(Hotkeys::decodeShortcut(Prefs::StoredObject(stored)) == shortcut,
                    "a decoded shortcut is stored and read back unchanged");
    }
    return 0;
}
