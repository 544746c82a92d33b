#include "kit/alert_boxes.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace zendra::KZApp {

namespace {

void setMinimumWidth(QMessageBox& box, int width) {
    // A message box sizes itself from its layout; a spacer is the supported way to widen it.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()); grid && width > 0) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

// Shows `box` modal to the whole application, brought forward by `activate`, and waits for the answer.
void runModal(QMessageBox& box, const AlertActivation& activate) {
    if (activate) {
        box.setWindowModality(Qt::ApplicationModal);
        activate(box);
    }
    box.exec();
}

} // namespace

VisibilityAlertResponse showVisibilityAlertBox(const VisibilityAlert& alert,
                                               const AlertActivation& activate) {
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(alert.title);
    box.setInformativeText(alert.text);
    QPushButton* ok = box.addButton(alert.okButton, QMessageBox::AcceptRole);
    QPushButton* settings = box.addButton(alert.settingsButton, QMessageBox::ActionRole);
    box.setDefaultButton(ok);
    if (alert.suppression) {
        box.setCheckBox(new QCheckBox(*alert.suppression, &box));
    }
    setMinimumWidth(box, alert.minimumWidth);
    runModal(box, activate);
    VisibilityAlertResponse response;
    response.settingsChosen = box.clickedButton() == settings;
    response.suppress = box.checkBox() != nullptr && box.checkBox()->isChecked();
    return response;
}

bool confirmDataDeletion(QWidget* parent, const QString& applicationName) {
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setText(QCoreApplication::translate("zendra::KZApp::Alerts", "Delete all data and settings for %1")
                    .arg(applicationName));
    QPushButton* remove = box.addButton(QCoreApplication::translate("zendra::KZApp::Alerts", "Delete"),
                                        QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == remove;
}

bool confirmDataDeletionAtLaunch(const QString& applicationName, const AlertActivation& activate) {
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(QCoreApplication::translate("zendra::KZApp::Alerts",
                                            "Are you sure you want to delete the settings and data for %1?")
                    .arg(applicationName));
    QPushButton* remove = box.addButton(QCoreApplication::translate("zendra::KZApp::Alerts", "Delete"),
                                        QMessageBox::DestructiveRole);
    box.addButton(QCoreApplication::translate("zendra::KZApp::Alerts", "Cancel"), QMessageBox::RejectRole);
    runModal(box, activate);
    return box.clickedButton() == remove;
}

void showResetFailedAlert(QWidget* parent, const QString& applicationName, const QStringList& problems) {
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Critical);
    box.setText(
        QCoreApplication::translate("zendra::KZApp::Alerts", "Could not delete all data and settings for %1")
            .arg(applicationName));
    // The problems are phrased for a command line ("zendra: could not …"): here each is a sentence.
    QStringList sentences;
    for (QString problem : problems) {
        if (!problem.isEmpty()) {
            problem[0] = problem[0].toUpper();
        }
        sentences << problem + u'.';
    }
    box.setInformativeText(sentences.join(u'\n'));
    box.addButton(QMessageBox::Ok);
    box.exec();
}

bool showCrashLogAlert(QWidget* parent, const QString& applicationName, const QString& folder,
                       const QString& supportAddress) {
    QMessageBox box(parent);
    box.setText(QCoreApplication::translate("zendra::KZApp::Alerts", "How to send crash log"));
    box.setInformativeText(
        QCoreApplication::translate(
            "zendra::KZApp::Alerts",
            "Find the files that start with “%1” in the “%2” folder (%3) and email them to %4.")
            .arg(applicationName, QDir(folder).dirName(), folder, supportAddress));
    QPushButton* reveal =
        box.addButton(QCoreApplication::translate("zendra::KZApp::Alerts", "Reveal “%1” Folder")
                          .arg(QDir(folder).dirName()),
                      QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Close);
    box.exec();
    return box.clickedButton() == reveal;
}

} // namespace zendra::KZApp
