#include "platform/linux/panel_with_applet.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace zendra::linux_panel {

PanelWithApplet::PanelWithApplet(std::unique_ptr<StatusNotifierItem> notifier,
                                 std::unique_ptr<PanelAppletItem> applet, QDBusConnection connection)
    : notifier_(std::move(notifier)), applet_(std::move(applet)),
      plasmaWatcher_(new QDBusServiceWatcher(QString::fromLatin1(plasmaShellService), connection,
                                             QDBusServiceWatcher::WatchForOwnerChange, this)) {
    appletWait_.setSingleShot(true);
    appletWait_.setInterval(appletWaitMilliseconds);
    connect(&appletWait_, &QTimer::timeout, this, [this] { changed(); });
    appletWait_.start();
    setEvents({});
    connect(
        plasmaWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& owner) { setPlasmaShell(!owner.isEmpty()); });
    QDBusConnectionInterface* bus = connection.interface();
    if (!bus) {
        plasmaShell_ = false;
        return;
    }
    // Asked without waiting: the answer comes while the application starts.
    auto* pending = new QDBusPendingCallWatcher(
        bus->asyncCall(QStringLiteral("NameHasOwner"), QString::fromLatin1(plasmaShellService)), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (!plasmaShell_) {
            const QDBusPendingReply<bool> reply = *call;
            setPlasmaShell(reply.isValid() && reply.value());
        }
    });
}

PanelWithApplet::~PanelWithApplet() = default;

void PanelWithApplet::setPlasmaShell(bool running) {
    if (plasmaShell_ == running) {
        return;
    }
    if (running && plasmaShell_.has_value()) {
        // A plasmashell that starts after Zendra loads its applets now.
        appletWait_.start();
    }
    plasmaShell_ = running;
    changed();
}

void PanelWithApplet::changed() {
    if (geometryChanged_) {
        geometryChanged_();
    }
}

PanelHostFacts PanelWithApplet::facts() const {
    PanelHostFacts facts;
    if (notifier_) {
        switch (notifier_->hostState()) {
        case StatusNotifierWatcherClient::HostState::unknown:
            facts.notifier = PanelHostFacts::Notifier::unknown;
            break;
        case StatusNotifierWatcherClient::HostState::hosted:
            facts.notifier = PanelHostFacts::Notifier::hosted;
            break;
        case StatusNotifierWatcherClient::HostState::unhosted:
            facts.notifier = PanelHostFacts::Notifier::unhosted;
            break;
        }
    }
    facts.plasmaShell = plasmaShell_;
    facts.appletHosted = applet_->isHosted();
    facts.appletWaitOver = !appletWait_.isActive();
    return facts;
}

StatusBarItem& PanelWithApplet::shown() const {
    if (applet_->isHosted() || !notifier_) {
        return *applet_;
    }
    return *notifier_;
}

void PanelWithApplet::setEvents(StatusBarEvents events) {
    geometryChanged_ = events.geometryChanged;
    StatusBarEvents forwarded;
    forwarded.clicked = events.clicked;
    forwarded.dropTargetedChanged = events.dropTargetedChanged;
    forwarded.textDropped = events.textDropped;
    forwarded.geometryChanged = [this] { changed(); };
    applet_->setEvents(forwarded);
    if (notifier_) {
        notifier_->setEvents(std::move(forwarded));
    }
}

void PanelWithApplet::setImage(const QImage& image, QSizeF logicalSize) {
    applet_->setImage(image, logicalSize);
    if (notifier_) {
        notifier_->setImage(image, logicalSize);
    }
}

void PanelWithApplet::setDarkAppearance(bool dark) {
    if (notifier_) {
        notifier_->setDarkAppearance(dark);
    }
}

void PanelWithApplet::setToolTip(const std::optional<QString>& toolTip) {
    applet_->setToolTip(toolTip);
    if (notifier_) {
        notifier_->setToolTip(toolTip);
    }
}

void PanelWithApplet::setLabel(const QString& label) {
    if (notifier_) {
        notifier_->setLabel(label);
    }
}

bool PanelWithApplet::setContentScale(double scale) {
    return shown().setContentScale(scale);
}

qreal PanelWithApplet::devicePixelRatio() const {
    return shown().devicePixelRatio();
}

bool PanelWithApplet::popUpMenu(QMenu& menu) {
    return shown().popUpMenu(menu);
}

bool PanelWithApplet::isOnScreen() const {
    return applet_->isOnScreen() || (notifier_ && notifier_->isOnScreen());
}

std::optional<QRect> PanelWithApplet::anchorRect() const {
    return shown().anchorRect();
}

} // namespace zendra::linux_panel
