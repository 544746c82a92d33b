#include "hotkeys/key_equivalent_qt.h"

#include "hotkeys/modifier_flags.h"

#include <QList>

namespace zendra::Hotkeys {

QKeySequence keySequence(const zendra::KeyEquivalent& equivalent) {
    if (equivalent.key.isEmpty()) {
        return {};
    }
    const char32_t character = equivalent.key.toUcs4().value(0);
    int key = 0;
    if (character >= 0xF704 && character <= 0xF717) {
        key = Qt::Key_F1 + static_cast<int>(character - 0xF704);
    } else if (character == U' ') {
        key = Qt::Key_Space;
    } else if (equivalent.key.size() == 1 && character >= 0x21 && character < 0x7F) {
        key = static_cast<int>(QChar(character).toUpper().unicode()); // Qt keys of ASCII are upper case
    } else {
        return QKeySequence(equivalent.key); // a symbol Qt can only show as text
    }
    int modifiers = 0;
    if (equivalent.modifierFlags & ModifierFlag::control) {
        modifiers |= Qt::ControlModifier;
    }
    if (equivalent.modifierFlags & ModifierFlag::option) {
        modifiers |= Qt::AltModifier;
    }
    if (equivalent.modifierFlags & ModifierFlag::shift) {
        modifiers |= Qt::ShiftModifier;
    }
    if (equivalent.modifierFlags & ModifierFlag::command) {
        modifiers |= Qt::MetaModifier;
    }
    return QKeySequence(key | modifiers);
}

} // namespace zendra::Hotkeys
