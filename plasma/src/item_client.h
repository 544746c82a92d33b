#pragma once

// The applet's side of the org.zendra.Zendra.Item interface: follows Zendra on the session bus, fetches
// the item's picture whenever Zendra announces a change (one request at a time, the newest wish
// last), registers as a host while the applet sits in a panel and passes clicks on. Starts Zendra by
// D-Bus activation once, when it is not running as the applet loads; later only when asked to.

#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace zendra_applet {

class ItemClient final : public QObject {
    Q_OBJECT

public:
    enum class State {
        connecting, // asking the bus, or Zendra is starting
        showing,    // the picture is Zendra's current item
        notRunning, // Zendra is not on the bus and could not be started
        elsewhere   // Zendra runs but shows its item without applets (its own window was chosen)
    };

    static constexpr const char* service = "org.zendra.Zendra";
    static constexpr const char* path = "/org/zendra/Zendra/Item";
    static constexpr const char* interface = "org.zendra.Zendra.Item";

    explicit ItemClient(QDBusConnection bus, QObject* parent = nullptr);

    State state() const { return state_; }
    // The last picture, at the requested scale, and its logical size; null when there is none.
    const QImage& picture() const { return picture_; }
    QSizeF pictureSize() const { return pictureSize_; }
    QString toolTip() const { return toolTip_; }
    // Why Zendra could not be started, for the tooltip.
    QString problem() const { return problem_; }

    // The panel the picture is for; a change fetches it again.
    void setPanel(double height, double scale, bool dark);
    // Whether the applet sits in a panel (it then registers as a host), and where on screen.
    void setInPanel(bool inPanel);
    void setFrame(QRect frame);
    // `button`: left, right or middle.
    void click(const QString& button, const QStringList& modifiers);
    // Starts Zendra through the bus's activation.
    void start();

signals:
    void stateChanged();
    void pictureChanged();

private slots:
    void itemChanged();

private:
    void ownerChanged(const QString& owner);
    void setState(State state);
    void render();
    void registerHost(bool hosting);
    QDBusMessage withFrame(QDBusMessage message) const;
    QDBusMessage call(const QString& method) const;

    QDBusConnection bus_;
    State state_ = State::connecting;
    QImage picture_;
    QSizeF pictureSize_;
    QString toolTip_;
    QString problem_;
    QRect frame_;
    double height_ = 0.0;
    double scale_ = 1.0;
    bool dark_ = false;
    bool inPanel_ = false;
    bool running_ = false;
    bool registered_ = false;
    bool rendering_ = false;
    bool renderAgain_ = false;
};

} // namespace zendra_applet
