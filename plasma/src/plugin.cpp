// The QML module org.zendra.applet that the Zendra plasmoid imports.

#include "item_view.h"

#include <QQmlExtensionPlugin>
#include <qqml.h>

namespace zendra_applet {

class AppletPlugin final : public QQmlExtensionPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char* uri) override { qmlRegisterType<ItemView>(uri, 1, 0, "ZendraItem"); }
};

} // namespace zendra_applet

#include "plugin.moc"
