#include "hotkeys/display.h"

#include "hotkeys/environment.h"

#include <QTextBoundaryFinder>
#include <array>
#include <utility>

namespace zendra::Hotkeys {

namespace {

// F1 to F20 in order.
constexpr std::array<std::int64_t, 20> functionKeyCodes{0x7A, 0x78, 0x63, 0x76, 0x60, 0x61, 0x62,
                                                        0x64, 0x65, 0x6D, 0x67, 0x6F, 0x69, 0x6B,
                                                        0x71, 0x6A, 0x40, 0x4F, 0x50, 0x5A};

QString fromCodePoint(char32_t codePoint) {
    return QString::fromUcs4(&codePoint, 1);
}

int graphemeCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0) {
        ++count;
    }
    return count;
}

} // namespace

const std::unordered_map<std::int64_t, QString>& keyCodeSymbols() {
    static const auto table = [] {
        std::unordered_map<std::int64_t, QString> symbols{
            {0x24, fromCodePoint(U'\u21A9')},                       // return
            {0x33, fromCodePoint(U'\u232B')},                       // delete
            {0x75, fromCodePoint(U'\u2326')},                       // forward delete
            {0x77, fromCodePoint(U'\u2198')},                       // end
            {0x35, fromCodePoint(U'\u238B')},                       // escape
            {0x72, QStringLiteral("?") + fromCodePoint(U'\u20DD')}, // help
            {0x73, fromCodePoint(U'\u2196')},                       // home
            {0x31, fromCodePoint(U'\u23B5')},                       // space
            {0x30, fromCodePoint(U'\u21E5')},                       // tab
            {0x74, fromCodePoint(U'\u21DE')},                       // page up
            {0x79, fromCodePoint(U'\u21DF')},                       // page down
            {0x7E, fromCodePoint(U'\u2191')},                       // up
            {0x7C, fromCodePoint(U'\u2192')},                       // right
            {0x7D, fromCodePoint(U'\u2193')},                       // down
            {0x7B, fromCodePoint(U'\u2190')},                       // left
        };
        for (std::size_t i = 0; i < functionKeyCodes.size(); ++i) {
            symbols.emplace(functionKeyCodes[i], QStringLiteral("F%1").arg(i + 1));
        }
        return symbols;
    }();
    return table;
}

const std::unordered_map<std::int64_t, QString>& functionKeyEquivalents() {
    static const auto table = [] {
        std::unordered_map<std::int64_t, QString> equivalents{{0x31, QStringLiteral(" ")}};
        for (std::size_t i = 0; i < functionKeyCodes.size(); ++i) {
            equivalents.emplace(functionKeyCodes[i], QString(QChar(char16_t(0xF704 + i))));
        }
        return equivalents;
    }();
    return table;
}

QString describeModifierFlags(std::uint64_t flags) {
    static const std::array<std::pair<std::uint64_t, QString>, 5> symbols{{
        {ModifierFlag::control, fromCodePoint(U'\u2303')},
        {ModifierFlag::option, fromCodePoint(U'\u2325')},
        {ModifierFlag::shift, fromCodePoint(U'\u21E7')},
        {ModifierFlag::command, fromCodePoint(U'\u2318')},
        {ModifierFlag::function, fromCodePoint(U'\U0001F310') + fromCodePoint(U'\uFE0E')},
    }};
    QString text;
    for (const auto& [flag, symbol] : symbols) {
        if (flags & flag) {
            text += symbol;
        }
    }
    return text;
}

std::optional<QString> characterForKeyCode(std::int64_t keyCode) {
    const auto& symbols = keyCodeSymbols();
    if (auto found = symbols.find(keyCode); found != symbols.end()) {
        return found->second;
    }
    KeyboardLayout* layout = environment().keyboardLayout.get();
    // The translator takes 16-bit key codes; larger or negative ones have no character.
    if (layout == nullptr || !std::in_range<std::uint16_t>(keyCode)) {
        return std::nullopt;
    }
    return layout->displayText(static_cast<std::uint16_t>(keyCode));
}

QString Shortcut::description() const {
    const auto character = characterForKeyCode(carbonKeyCode);
    return describeModifierFlags(modifiers()) + (character ? character->toUpper() : QString(QChar(0xFFFD)));
}

QString menuKeyEquivalent(const Shortcut& shortcut) {
    const auto& equivalents = functionKeyEquivalents();
    if (auto found = equivalents.find(shortcut.carbonKeyCode); found != equivalents.end()) {
        return found->second;
    }
    const QString character = characterForKeyCode(shortcut.carbonKeyCode).value_or(QString());
    return graphemeCount(character) < 2 ? character : QString();
}

} // namespace zendra::Hotkeys
