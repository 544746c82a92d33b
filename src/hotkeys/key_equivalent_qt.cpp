#include "hotkeys/key_equivalent_qt.h"

#include "hotkeys/display.h"
#include "hotkeys/modifier_flags.h"

#include <QList>
#include <unordered_map>

namespace zendra::Hotkeys {

namespace {

// Keys whose text does not come from the layout, by virtual key code; F1 to F20 come from
// `functionKeyEquivalents`.
const std::unordered_map<std::int64_t, int>& namedKeys() {
    static const std::unordered_map<std::int64_t, int> table{
        {0x24, Qt::Key_Return}, {0x33, Qt::Key_Backspace}, {0x75, Qt::Key_Delete},   {0x77, Qt::Key_End},
        {0x35, Qt::Key_Escape}, {0x72, Qt::Key_Help},      {0x73, Qt::Key_Home},     {0x31, Qt::Key_Space},
        {0x30, Qt::Key_Tab},    {0x74, Qt::Key_PageUp},    {0x79, Qt::Key_PageDown}, {0x7E, Qt::Key_Up},
        {0x7C, Qt::Key_Right},  {0x7D, Qt::Key_Down},      {0x7B, Qt::Key_Left},
    };
    return table;
}

int functionKey(char32_t equivalent) {
    return equivalent >= 0xF704 && equivalent <= 0xF717 ? Qt::Key_F1 + static_cast<int>(equivalent - 0xF704)
                                                        : 0;
}

// The Qt key of a virtual key code with a fixed meaning, or 0.
int fixedKey(std::int64_t keyCode) {
    if (const auto found = namedKeys().find(keyCode); found != namedKeys().end()) {
        return found->second;
    }
    const auto& functions = functionKeyEquivalents();
    if (const auto found = functions.find(keyCode); found != functions.end()) {
        return functionKey(found->second.toUcs4().value(0));
    }
    return 0;
}

// Qt names a character key by its upper-case code point.
int characterKey(const QString& text) {
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() != 1 || codePoints[0] <= 0x20) {
        return 0;
    }
    return static_cast<int>(QChar::toUpper(char32_t(codePoints[0])));
}

int qtModifiers(std::uint64_t flags) {
    int modifiers = 0;
    if (flags & ModifierFlag::control) {
        modifiers |= Qt::ControlModifier;
    }
    if (flags & ModifierFlag::option) {
        modifiers |= Qt::AltModifier;
    }
    if (flags & ModifierFlag::shift) {
        modifiers |= Qt::ShiftModifier;
    }
    if (flags & ModifierFlag::command) {
        modifiers |= Qt::MetaModifier;
    }
    return modifiers;
}

} // namespace

QKeySequence keySequence(const zendra::KeyEquivalent& equivalent) {
    if (equivalent.key.isEmpty()) {
        return {};
    }
    int key = functionKey(equivalent.key.toUcs4().value(0));
    if (key == 0 && equivalent.key == QLatin1String(" ")) {
        key = Qt::Key_Space;
    }
    if (key == 0) {
        for (const auto& [keyCode, symbol] : keyCodeSymbols()) {
            if (symbol == equivalent.key) {
                key = fixedKey(keyCode);
                break;
            }
        }
    }
    if (key == 0) {
        key = characterKey(equivalent.key);
    }
    if (key == 0) {
        return QKeySequence(equivalent.key); // a symbol Qt can only show as text
    }
    return QKeySequence(key | qtModifiers(equivalent.modifierFlags));
}

QKeySequence keySequence(const Shortcut& shortcut) {
    int key = fixedKey(shortcut.carbonKeyCode);
    if (key == 0) {
        key = characterKey(characterForKeyCode(shortcut.carbonKeyCode).value_or(QString()));
    }
    return key == 0 ? QKeySequence() : QKeySequence(key | qtModifiers(shortcut.modifiers()));
}

QString nativeText(const Shortcut& shortcut) {
    const QKeySequence sequence = keySequence(shortcut);
    return sequence.isEmpty() ? shortcut.description() : sequence.toString(QKeySequence::NativeText);
}

} // namespace zendra::Hotkeys
