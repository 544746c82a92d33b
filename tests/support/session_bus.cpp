#include "support/session_bus.h"

#include <QFile>
#include <chrono>
#include <stdexcept>
#include <string>

namespace zendra::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 20s;
constexpr auto stopGrace = 5s;

QByteArray configuration(const QString& socketDirectory, const QStringList& serviceDirectories) {
    QString services;
    for (const QString& dir : serviceDirectories) {
        services += QStringLiteral("  <servicedir>%1</servicedir>\n").arg(dir.toHtmlEscaped());
    }
    return QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
%2  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
  <!-- A desktop session bus's limits, so that messages of any size pass as they would there. -->
  <limit name="max_incoming_bytes">1000000000</limit>
  <limit name="max_outgoing_bytes">1000000000</limit>
  <limit name="max_message_size">1000000000</limit>
</busconfig>
)")
        .arg(socketDirectory.toHtmlEscaped(), services)
        .toUtf8();
}

} // namespace

SessionBus::SessionBus(const QStringList& serviceDirectories, Role role)
    : log_(makeCaptureFile("zendra-bus-log")) {
    if (!dir_.isValid()) {
        throw std::runtime_error("SessionBus: cannot create a temporary directory");
    }
    const QString configPath = dir_.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(configuration(dir_.path(), serviceDirectories)) < 0) {
        throw std::runtime_error("SessionBus: cannot write " + configPath.toStdString());
    }
    config.close();

    Pipe addressPipe = makePipe();
    SpawnRequest request;
    request.program = QStringLiteral("dbus-daemon");
    request.arguments = {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                         QStringLiteral("--nopidfile"), QStringLiteral("--print-address=3")};
    request.standardOutput = log_.get();
    request.standardError = log_.get();
    request.extraDescriptors = {addressPipe.write.get()};
    process_.emplace(request);
    addressPipe.write.reset();

    // The address is printed once the daemon listens.
    const auto line = readLine(addressPipe.read.get(), startTimeout);
    address_ = line ? QString::fromUtf8(line->trimmed()) : QString();
    if (address_.isEmpty()) {
        process_->kill();
        throw std::runtime_error("SessionBus: dbus-daemon did not report its address; its output:\n" +
                                 readCaptureFile(log_.get()).toStdString());
    }
    if (role == Role::session) {
        addressEnv_.emplace("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    }
}

SessionBus::~SessionBus() {
    addressEnv_.reset();
    process_->stop(stopGrace);
}

} // namespace zendra::test
