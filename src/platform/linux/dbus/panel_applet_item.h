#pragma once

// The panel item for hosts that show Zendra's own picture (the Plasma applet): the org.zendra.Zendra.Item
// object on the session bus. Hosts register while they show the item in a panel, ask for the picture
// at their panel's height, scale and appearance (drawn by the item's renderer from the stored
// settings, so it is the picture Zendra shows elsewhere), are told when it changes, and pass clicks
// back with the frame they draw it in. Main thread only.

#include "panel/status_bar.h"
#include "panel/status_item_renderer.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDBusServiceWatcher;

namespace zendra {

// The picture as hosts get it: PNG bytes in device pixels, with the item's logical size.
struct AppletPicture {
    QByteArray png;
    QSizeF logicalSize;
    QString toolTip;
};
AppletPicture appletPicture(const StatusItemRendering& rendering);

class PanelAppletItem final : public QObject, public StatusBarItem, protected QDBusContext {
    Q_OBJECT

public:
    static constexpr const char* objectPath = "/org/zendra/Zendra/Item";

    struct Options {
        QDBusConnection connection = QDBusConnection::sessionBus();
        // The item for a panel of this height, pixel ratio and appearance; by default the renderer
        // over the stored settings.
        std::function<StatusItemRendering(double height, qreal scale, bool dark)> render;
    };

    explicit PanelAppletItem(Options options);
    ~PanelAppletItem() override;

    // False when the object could not go on the bus (no bus, or the path is taken).
    bool isExported() const { return exported_; }
    // Whether a host shows the item now.
    bool isHosted() const { return !hosts_.isEmpty(); }

    // Host registrations and departures are reported as geometry changes.
    void setEvents(StatusBarEvents events) override;
    // Tells hosts to fetch the picture again.
    void setImage(const QImage& image, QSizeF logicalSize) override;
    void setToolTip(const std::optional<QString>& toolTip) override;
    bool setContentScale(double scale) override;
    qreal devicePixelRatio() const override;
    // At the frame the host last gave, else under the pointer.
    bool popUpMenu(QMenu& menu) override;
    bool isOnScreen() const override { return isHosted(); }
    std::optional<QRect> anchorRect() const override;

public slots:
    // Called by the generated adaptor.
    void RegisterHost(int x, int y, int width, int height);
    void UnregisterHost();
    QByteArray Render(double height, double scale, bool dark, double& width, double& itemHeight,
                      QString& toolTip);
    void Click(const QString& button, const QStringList& modifiers, int x, int y, int width, int height);

signals:
    void Changed();

private:
    void hostLeft(const QString& host);
    void invalidArguments(const QString& message);
    void setFrame(int x, int y, int width, int height);

    Options options_;
    StatusBarEvents events_;
    QSet<QString> hosts_;
    QDBusServiceWatcher* hostWatcher_;
    std::optional<QRect> hostFrame_;
    bool exported_ = false;
};

} // namespace zendra
