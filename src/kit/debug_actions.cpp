#include "kit/debug_actions.h"

#include "kit/alert_boxes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zendra::KZApp {

QUrl DebugActions::feedbackUrl() const {
    return feedbackPageUrl(feedbackPage, applicationName, feedbackMetadata(facts()));
}

MailDraft DebugActions::debugInfoMail() const {
    MailDraft draft;
    draft.recipients = {supportAddress};
    draft.subject = applicationName + QStringLiteral(" — Debug info");
    draft.body = report();
    return draft;
}

void DebugActions::copyDebugInfo() const {
    const QString text = report();
    auto mime = std::make_unique<QMimeData>();
    mime->setText(text);
    mime->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setMimeData(mime.release());
}

void DebugActions::emailDebugInfo() const {
    if (desktop) {
        const MailDraft draft = debugInfoMail();
        desktop->composeMail(draft, QStringLiteral("debug-info.txt"), draft.body.toUtf8());
    }
}

void DebugActions::openFeedback() const {
    if (desktop) {
        desktop->openUrl(feedbackUrl());
    }
}

void DebugActions::sendCrashLog(QWidget* parent) const {
    if (showCrashLogAlert(parent, applicationName, crashReportsFolder, supportAddress) && desktop) {
        desktop->revealFolder(crashReportsFolder);
    }
}

void DebugActions::deleteDataAndSettings(QWidget* parent) const {
    if (confirmDataDeletion(parent, applicationName)) {
        resetAndRelaunch(parent);
    }
}

void DebugActions::promptDataResetAtLaunch() const {
    if (confirmDataDeletionAtLaunch(applicationName, activateWindow)) {
        resetAndRelaunch(nullptr);
    }
}

void DebugActions::resetAndRelaunch(QWidget* parent) const {
    const QStringList problems = reset ? reset() : QStringList();
    if (!problems.isEmpty()) {
        // A relaunch would look like a fresh start that did not happen.
        showResetFailedAlert(parent, applicationName, problems);
    } else if (relaunch) {
        relaunch();
    }
}

} // namespace zendra::KZApp
