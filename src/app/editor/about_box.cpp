#include "app/editor/about_box.h"

#include "app/identity.h"

#include <QApplication>
#include <QMessageBox>

namespace zendra {

QString aboutBoxText() {
    const QString page = QString::fromUtf8(identity::productPage);
    return QStringLiteral("<h3>%1</h3><p>Version %2</p><p><a href=\"%3\">%3</a></p>")
        .arg(QString::fromUtf8(identity::applicationName), QString::fromUtf8(identity::version), page);
}

void showAboutBox(QWidget* parent) {
    // An accessory application has no active window of its own; bring it forward first.
    if (parent != nullptr) {
        parent->activateWindow();
    }
    QMessageBox::about(parent, QStringLiteral("About %1").arg(QString::fromUtf8(identity::applicationName)),
                       aboutBoxText());
}

} // namespace zendra
