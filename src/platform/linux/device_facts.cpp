#include "platform/linux/device_facts.h"

#include "platform/linux/session/linux_session.h"

#include <QFile>
#include <QSysInfo>

namespace zendra::linux_facts {

namespace {

QString firstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readLine()).trimmed();
}

bool isPlaceholder(const QString& text) {
    // Firmware often leaves these fields at a vendor's filler.
    static const QStringList fillers{QStringLiteral("To Be Filled By O.E.M."),
                                     QStringLiteral("System Product Name"), QStringLiteral("Default string"),
                                     QStringLiteral("Not Applicable")};
    return text.isEmpty() || fillers.contains(text, Qt::CaseInsensitive);
}

QString orUnknown(const QString& value) {
    return value.isEmpty() ? QStringLiteral("<Unknown>") : value;
}

} // namespace

QString operatingSystem() {
    return QSysInfo::prettyProductName() + QLatin1String(", kernel ") + QSysInfo::kernelVersion();
}

std::optional<QString> hardwareModel() {
    const QString folder = QStringLiteral("/sys/devices/virtual/dmi/id/");
    const QString product = firstLine(folder + QLatin1String("product_name"));
    if (isPlaceholder(product)) {
        return std::nullopt;
    }
    const QString vendor = firstLine(folder + QLatin1String("sys_vendor"));
    return isPlaceholder(vendor) || product.startsWith(vendor) ? product : vendor + u' ' + product;
}

KZApp::DebugEntries sessionEntries(const QProcessEnvironment& environment) {
    const LinuxSession session = LinuxSession::fromEnvironment(environment);
    return {{QStringLiteral("Session Type"), orUnknown(session.typeName())},
            {QStringLiteral("Desktop"), orUnknown(session.desktop)}};
}

} // namespace zendra::linux_facts
