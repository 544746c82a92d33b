#include "platform/linux/dbus/menu_layout.h"

#include "hotkeys/key_equivalent_qt.h"

namespace zendra {

namespace {

// dbusmenu labels mark mnemonics with an underscore; a literal one is doubled.
QString escapedLabel(QString title) {
    return title.replace(QLatin1Char('_'), QLatin1String("__"));
}

QKeySequence shortcutOf(const StatusItemMenuEntry& entry) {
    if (entry.fixedShortcut) {
        return *entry.fixedShortcut;
    }
    return Hotkeys::keySequence(entry.item->keyEquivalent);
}

} // namespace

QVariantMap dbusMenuItemProperties(const StatusItemMenuEntry& entry) {
    if (entry.isSeparator()) {
        return {{QStringLiteral("type"), QStringLiteral("separator")}};
    }
    QVariantMap properties{
        {QStringLiteral("label"), escapedLabel(entry.item->title)},
        {QStringLiteral("enabled"), entry.item->enabled},
        {QStringLiteral("visible"), true},
    };
    if (const auto shortcut = dbusMenuShortcut(shortcutOf(entry)); !shortcut.isEmpty()) {
        properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(shortcut));
    }
    if (!entry.toolTip.isEmpty()) {
        properties.insert(QStringLiteral("accessible-desc"), entry.toolTip);
    }
    return properties;
}

panel_dbus::MenuLayoutItem dbusMenuLayout(const std::vector<StatusItemMenuEntry>& entries) {
    panel_dbus::MenuLayoutItem root;
    root.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    int id = 0;
    for (const StatusItemMenuEntry& entry : entries) {
        root.children.push_back({++id, dbusMenuItemProperties(entry), {}});
    }
    return root;
}

panel_dbus::MenuShortcut dbusMenuShortcut(const QKeySequence& sequence) {
    if (sequence.isEmpty()) {
        return {};
    }
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QStringList names;
    if (modifiers.testFlag(Qt::ControlModifier)) {
        names << QStringLiteral("Control");
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        names << QStringLiteral("Alt");
    }
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        names << QStringLiteral("Shift");
    }
    if (modifiers.testFlag(Qt::MetaModifier)) {
        names << QStringLiteral("Super");
    }
    QString key = QKeySequence(combination.key()).toString(QKeySequence::PortableText);
    // Hosts parse the key as a key symbol name, where letters are lower case.
    if (key.size() == 1) {
        key = key.toLower();
    }
    names << key;
    return {names};
}

QVariantMap selectedProperties(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty()) {
        return properties;
    }
    QVariantMap selected;
    for (const QString& name : names) {
        if (const auto it = properties.find(name); it != properties.end()) {
            selected.insert(name, *it);
        }
    }
    return selected;
}

} // namespace zendra
