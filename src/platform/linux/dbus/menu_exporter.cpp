#include "platform/linux/dbus/menu_exporter.h"

#include "base/main_queue.h"
#include "platform/linux/dbus/menu_layout.h"

#include <QDBusMessage>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace zendra {

namespace {

// What a host sees of the rows; equal fingerprints mean the same layout.
QString fingerprintOf(const panel_dbus::MenuLayoutItem& layout) {
    QString result;
    QTextStream out(&result);
    for (const auto& child : layout.children) {
        out << child.id << '{';
        for (auto it = child.properties.cbegin(); it != child.properties.cend(); ++it) {
            out << it.key() << '=';
            if (it->metaType() == QMetaType::fromType<panel_dbus::MenuShortcut>()) {
                for (const QStringList& combination : it->value<panel_dbus::MenuShortcut>()) {
                    out << combination.join('+') << ' ';
                }
            } else {
                out << it->toString();
            }
            out << ';';
        }
        out << '}';
    }
    out.flush();
    return result;
}

// What changed in the properties of rows that kept their place, as ItemsPropertiesUpdated carries it.
struct PropertyChanges {
    panel_dbus::MenuItemPropertiesList updated;
    panel_dbus::MenuItemPropertyNamesList removed;
};

PropertyChanges propertyChanges(const panel_dbus::MenuLayoutItem& before,
                                const panel_dbus::MenuLayoutItem& after) {
    PropertyChanges changes;
    const std::size_t rows = std::min(before.children.size(), after.children.size());
    for (std::size_t i = 0; i < rows; ++i) {
        const auto& old = before.children[i];
        const auto& now = after.children[i];
        if (old.id != now.id) {
            continue;
        }
        QVariantMap updated;
        for (auto it = now.properties.cbegin(); it != now.properties.cend(); ++it) {
            const auto previous = old.properties.find(it.key());
            if (previous == old.properties.cend() || *previous != *it) {
                updated.insert(it.key(), *it);
            }
        }
        QStringList removed;
        for (auto it = old.properties.cbegin(); it != old.properties.cend(); ++it) {
            if (!now.properties.contains(it.key())) {
                removed.append(it.key());
            }
        }
        if (!updated.isEmpty()) {
            changes.updated.append({now.id, std::move(updated)});
        }
        if (!removed.isEmpty()) {
            changes.removed.append({now.id, std::move(removed)});
        }
    }
    return changes;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(MenuProvider provider, QObject* parent)
    : QObject(parent), provider_(std::move(provider)) {
    panel_dbus::registerPanelDBusTypes();
    rebuild();
}

DBusMenuExporter::~DBusMenuExporter() {
    if (exportedOn_) {
        exportedOn_->unregisterObject(path_);
    }
}

bool DBusMenuExporter::exportOn(QDBusConnection connection, const QString& path) {
    if (!connection.registerObject(path, this,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                       QDBusConnection::ExportAllProperties)) {
        std::fprintf(stderr, "zendra: cannot put the panel menu on the session bus at %s: %s\n",
                     qPrintable(path), qPrintable(connection.lastError().message()));
        return false;
    }
    exportedOn_ = connection;
    path_ = path;
    return true;
}

void DBusMenuExporter::refresh() {
    panel_dbus::MenuLayoutItem before = layout_;
    if (!rebuild()) {
        return;
    }
    // Hosts keep the rows' properties they read and re-read only the layout on LayoutUpdated, so a
    // changed enabled state is announced on its own too.
    PropertyChanges changes = propertyChanges(before, layout_);
    if (!changes.updated.isEmpty() || !changes.removed.isEmpty()) {
        emit ItemsPropertiesUpdated(changes.updated, changes.removed);
    }
    emit LayoutUpdated(revision_, 0);
}

bool DBusMenuExporter::refuseLargeGroup(qsizetype size) {
    if (size <= maximumGroupSize) {
        return false;
    }
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::LimitsExceeded,
                       QStringLiteral("At most %1 items per call.").arg(maximumGroupSize));
    }
    return true;
}

bool DBusMenuExporter::rebuild() {
    entries_ = provider_ ? provider_() : std::vector<StatusItemMenuEntry>{};
    layout_ = dbusMenuLayout(entries_);
    QString fingerprint = fingerprintOf(layout_);
    if (revision_ != 0 && fingerprint == fingerprint_) {
        return false;
    }
    fingerprint_ = std::move(fingerprint);
    ++revision_;
    return true;
}

QVariantMap DBusMenuExporter::propertiesOf(int id) const {
    return id == 0 ? layout_.properties : layout_.children[std::size_t(id - 1)].properties;
}

void DBusMenuExporter::replyUnknownId(int id) {
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("The menu has no item %1.").arg(id));
    }
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 panel_dbus::MenuLayoutItem& layout) {
    if (parentId == 0) {
        refresh();
    }
    if (!isKnown(parentId)) {
        replyUnknownId(parentId);
        return revision_;
    }
    layout = {parentId, selectedProperties(propertiesOf(parentId), propertyNames), {}};
    if (parentId == 0 && recursionDepth != 0) {
        for (const auto& child : layout_.children) {
            layout.children.push_back({child.id, selectedProperties(child.properties, propertyNames), {}});
        }
    }
    return revision_;
}

panel_dbus::MenuItemPropertiesList DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                                        const QStringList& propertyNames) {
    panel_dbus::MenuItemPropertiesList result;
    if (refuseLargeGroup(ids.size())) {
        return result;
    }
    const auto add = [&](int id) {
        result.append({id, selectedProperties(propertiesOf(id), propertyNames)});
    };
    if (ids.isEmpty()) {
        for (int id = 0; id <= int(entries_.size()); ++id) {
            add(id);
        }
    }
    for (int id : ids) {
        if (isKnown(id)) {
            add(id);
        }
    }
    return result;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name) {
    if (!isKnown(id)) {
        replyUnknownId(id);
        return {};
    }
    const QVariantMap properties = propertiesOf(id);
    const auto it = properties.find(name);
    if (it == properties.end()) {
        if (calledFromDBus()) {
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("Item %1 has no property %2.").arg(id).arg(name));
        }
        return {};
    }
    return QDBusVariant(*it);
}

bool DBusMenuExporter::activate(int id, const QString& eventId) {
    if (!isKnown(id)) {
        return false;
    }
    if (id == 0 || eventId != QLatin1String("clicked")) {
        return true; // "hovered", "opened", "closed": nothing to do
    }
    const StatusItemMenuEntry& entry = entries_[std::size_t(id - 1)];
    if (!entry.isSeparator() && entry.item->enabled && entry.item->action) {
        // After the reply, so that an action that ends the process does not leave the host waiting.
        dispatchToMain([item = entry.item] { item->action(); });
    }
    return true;
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    if (!activate(id, eventId)) {
        replyUnknownId(id);
    }
}

QList<int> DBusMenuExporter::EventGroup(const panel_dbus::MenuEventList& events) {
    QList<int> idErrors;
    if (refuseLargeGroup(events.size())) {
        return idErrors;
    }
    for (const auto& event : events) {
        if (!activate(event.id, event.eventId)) {
            idErrors.append(event.id);
        }
    }
    if (!events.isEmpty() && idErrors.size() == events.size() && calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("None of the menu items exist."));
    }
    return idErrors;
}

bool DBusMenuExporter::AboutToShow(int id) {
    if (!isKnown(id)) {
        replyUnknownId(id);
        return false;
    }
    if (id != 0) {
        return false;
    }
    const uint before = revision_;
    refresh();
    return revision_ != before;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    QList<int> updatesNeeded;
    if (refuseLargeGroup(ids.size())) {
        return updatesNeeded;
    }
    bool showsRoot = false;
    for (int id : ids) {
        if (!isKnown(id)) {
            idErrors.append(id);
        }
        showsRoot = showsRoot || id == 0;
    }
    // One rebuild answers for every id of the call.
    if (showsRoot) {
        const uint before = revision_;
        refresh();
        if (revision_ != before) {
            updatesNeeded.append(0);
        }
    }
    return updatesNeeded;
}

} // namespace zendra
