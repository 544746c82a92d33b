#include "platform/linux/desktop_services.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace zendra::linux_desktop {

namespace {

const QLoggingCategory& desktopLog() {
    static const QLoggingCategory category("zendra.desktop");
    return category;
}

void openFolder(const QString& folder) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        qCWarning(desktopLog).noquote() << "No application opens the folder" << folder;
    }
}

// A private folder that outlives this call: the mail composer reads the file after we return.
QString writeAttachment(const QString& name, const QByteArray& content) {
    const QString folder =
        QDir::tempPath() + QStringLiteral("/zendra-%1-%2").arg(qgetenv("USER"), QString::number(getpid()));
    if (!QDir().mkpath(folder)) {
        return {};
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        return {};
    }
    return file.fileName();
}

} // namespace

QStringList xdgEmailArguments(const KZApp::MailDraft& draft, const QString& attachmentPath) {
    QStringList arguments{QStringLiteral("--utf8")};
    for (const QString& cc : draft.cc) {
        arguments << QStringLiteral("--cc") << cc;
    }
    for (const QString& bcc : draft.bcc) {
        arguments << QStringLiteral("--bcc") << bcc;
    }
    if (!draft.subject.isEmpty()) {
        arguments << QStringLiteral("--subject") << draft.subject;
    }
    if (!draft.body.isEmpty()) {
        arguments << QStringLiteral("--body") << draft.body;
    }
    if (!attachmentPath.isEmpty()) {
        arguments << QStringLiteral("--attach") << attachmentPath;
    }
    return arguments + draft.recipients;
}

void DesktopServices::openUrl(const QUrl& url) {
    if (!QDesktopServices::openUrl(url)) {
        qCWarning(desktopLog).noquote() << "No application opens" << url.scheme() << "addresses";
    }
}

void DesktopServices::composeMail(const KZApp::MailDraft& draft, const QString& attachmentName,
                                  const QByteArray& attachment) {
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!xdgEmail.isEmpty() &&
        QProcess::startDetached(xdgEmail,
                                xdgEmailArguments(draft, writeAttachment(attachmentName, attachment)))) {
        return;
    }
    openUrl(KZApp::mailtoUrl(draft));
}

void DesktopServices::revealFolder(const QString& folder) {
    QDir().mkpath(folder);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(folder).toString()} << QString();
    // Asynchronous: a file manager that is slow to start must not stall the application.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder](QDBusPendingCallWatcher* done) {
                         if (done->isError()) {
                             openFolder(folder);
                         }
                         done->deleteLater();
                     });
}

} // namespace zendra::linux_desktop
