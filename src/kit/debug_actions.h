#pragma once

// What the user debug window and the application's feedback entry do: copy or e-mail the debug report,
// point at the crash reports, open the feedback page, and reset everything.

#include "kit/debug_info.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

class QWidget;

namespace zendra::KZApp {

// The desktop services the actions use.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    virtual void openUrl(const QUrl& url) = 0;
    // Opens the user's mail composer with `draft` and a file named `attachmentName` holding `attachment`.
    virtual void composeMail(const MailDraft& draft, const QString& attachmentName,
                             const QByteArray& attachment) = 0;
    // Shows `folder` in the file manager (created first when missing).
    virtual void revealFolder(const QString& folder) = 0;
};

struct DebugActions {
    QString applicationName;
    QUrl feedbackPage;
    QString supportAddress;
    QString crashReportsFolder;
    std::function<DebugFacts()> facts;
    std::shared_ptr<DesktopServices> desktop;
    // Deletes the data and settings (after the user confirmed); what failed, one sentence each.
    std::function<QStringList()> reset;
    // Starts a new instance in place of this one, after a reset that went through.
    std::function<void()> relaunch;
    // Brings a window of Zendra's to the front as the answer to the user's request; none: Qt's own.
    std::function<void(QWidget&)> activateWindow;

    QString report() const { return debugInfo(facts()); }
    QUrl feedbackUrl() const;
    MailDraft debugInfoMail() const;

    // Plain text, and the same text as UTF-8 under a second type.
    void copyDebugInfo() const;
    void emailDebugInfo() const;
    void openFeedback() const;
    void sendCrashLog(QWidget* parent) const;
    // Asks first; "Delete" resets and relaunches, or, when something could not be deleted, says what in
    // an alert and stays.
    void deleteDataAndSettings(QWidget* parent) const;
    // The launch chord's prompt, then the same as deleteDataAndSettings.
    void promptDataResetAtLaunch() const;

private:
    void resetAndRelaunch(QWidget* parent) const;
};

} // namespace zendra::KZApp
