#include "editor/about_box.h"

#include "base/identity.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

namespace zendra {

QString aboutBoxText() {
    const QString page = QString::fromUtf8(identity::productPage);
    const QString version = QCoreApplication::translate("zendra::AboutBox", "Version %1")
                                .arg(QString::fromUtf8(identity::version));
    return QStringLiteral("<h3>%1</h3><p>%2</p><p><a href=\"%3\">%3</a></p>")
        .arg(QString::fromUtf8(identity::applicationName), version.toHtmlEscaped(), page);
}

void showAboutBox(QWidget* parent) {
    // An accessory application has no active window of its own; bring it forward first.
    if (parent != nullptr) {
        parent->activateWindow();
    }
    //: %1 is the application's name.
    const QString title = QCoreApplication::translate("zendra::AboutBox", "About %1")
                              .arg(QString::fromUtf8(identity::applicationName));
    QMessageBox::about(parent, title, aboutBoxText());
}

} // namespace zendra
