#include "support/xvfb_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <xcb/xcb.h>

namespace zendra::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 20s;
constexpr auto stopGrace = 5s;
const QByteArray cookieName = "MIT-MAGIC-COOKIE-1";

void appendCounted(QByteArray& out, const QByteArray& field) {
    out.append(static_cast<char>((field.size() >> 8) & 0xff));
    out.append(static_cast<char>(field.size() & 0xff));
    out.append(field);
}

// One authority entry that matches any address and display number (family "wild", empty number),
// read both by the server (-auth) and by every client through XAUTHORITY.
QByteArray authorityEntry(const QByteArray& cookie) {
    QByteArray entry;
    entry.append(static_cast<char>(0xff));
    entry.append(static_cast<char>(0xff));
    appendCounted(entry, {});
    appendCounted(entry, {});
    appendCounted(entry, cookieName);
    appendCounted(entry, cookie);
    return entry;
}

bool acceptsConnection(int number, const QByteArray& cookie) {
    const QByteArray display = ":" + QByteArray::number(number);
    xcb_auth_info_t auth{static_cast<int>(cookieName.size()), const_cast<char*>(cookieName.constData()),
                         static_cast<int>(cookie.size()), const_cast<char*>(cookie.constData())};
    xcb_connection_t* connection = xcb_connect_to_display_with_auth_info(display.constData(), &auth, nullptr);
    const bool ok = xcb_connection_has_error(connection) == 0 && xcb_get_setup(connection) != nullptr;
    xcb_disconnect(connection);
    return ok;
}

} // namespace

XvfbServer::XvfbServer() : log_(makeCaptureFile("zendra-xvfb-log")) {
    if (!dir_.isValid()) {
        throw std::runtime_error("XvfbServer: cannot create a temporary directory");
    }
    cookie_.resize(16);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(cookie_.data()), 4);
    QFile auth(authorityFile());
    if (!auth.open(QIODevice::WriteOnly) || auth.write(authorityEntry(cookie_)) < 0) {
        throw std::runtime_error("XvfbServer: cannot write " + authorityFile().toStdString());
    }
    auth.close();

    Pipe displayPipe = makePipe();
    SpawnRequest request;
    request.program = QStringLiteral("Xvfb");
    request.arguments = {
        QStringLiteral("-displayfd"),   QStringLiteral("3"),       QStringLiteral("-nolisten"),
        QStringLiteral("tcp"),          QStringLiteral("-screen"), QStringLiteral("0"),
        QStringLiteral("1920x1080x24"), QStringLiteral("-auth"),   authorityFile(),
        QStringLiteral("-noreset")};
    request.standardOutput = log_.get();
    request.standardError = log_.get();
    request.extraDescriptors = {displayPipe.write.get()};
    process_.emplace(request);
    displayPipe.write.reset(); // so that a server that dies before reporting shows as end of file

    const auto fail = [this](const std::string& why) {
        process_->kill();
        throw std::runtime_error("XvfbServer: " + why + "; its output:\n" +
                                 readCaptureFile(log_.get()).toStdString());
    };
    const QDeadlineTimer deadline(startTimeout);
    const auto line = readLine(displayPipe.read.get(), startTimeout);
    bool numberOk = false;
    number_ = line ? line->trimmed().toInt(&numberOk) : -1;
    if (!numberOk) {
        fail(line ? "it reported no display number" : "it did not report a display");
    }
    // The display number is written once the server listens; check with a real client anyway.
    while (!acceptsConnection(number_, cookie_)) {
        if (deadline.hasExpired() || process_->poll()) {
            fail("display " + display().toStdString() + " does not accept connections");
        }
        std::this_thread::sleep_for(10ms);
    }
    displayEnv_.emplace("DISPLAY", display().toLatin1());
    authorityEnv_.emplace("XAUTHORITY", QFile::encodeName(authorityFile()));
}

XvfbServer::~XvfbServer() {
    authorityEnv_.reset();
    displayEnv_.reset();
    // SIGTERM lets the server remove its lock file and socket.
    process_->stop(stopGrace);
}

QString XvfbServer::authorityFile() const {
    return dir_.filePath(QStringLiteral("Xauthority"));
}

} // namespace zendra::test
