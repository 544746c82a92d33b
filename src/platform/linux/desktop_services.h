#pragma once

#include "kit/debug_actions.h"

namespace zendra::linux_desktop {

// The browser and file manager through the desktop's defaults; mail through `xdg-email` where it is
// installed (with the attachment), else a "mailto:" address for the default mail handler.
class DesktopServices final : public KZApp::DesktopServices {
public:
    void openUrl(const QUrl& url) override;
    void composeMail(const KZApp::MailDraft& draft, const QString& attachmentName,
                     const QByteArray& attachment) override;
    // The FileManager1 interface selects the folder in its parent; without it the folder opens in the
    // default handler for folders.
    void revealFolder(const QString& folder) override;
};

// The `xdg-email` arguments for `draft` with the file at `attachmentPath` (none: no attachment).
QStringList xdgEmailArguments(const KZApp::MailDraft& draft, const QString& attachmentPath);

} // namespace zendra::linux_desktop
