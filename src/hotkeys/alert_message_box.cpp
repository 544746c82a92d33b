#include "hotkeys/alert_message_box.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace zendra::Hotkeys {

void MessageBoxAlertPresenter::runModal(const Alert& alert, QWidget* anchor) {
    QWidget* window = anchor != nullptr ? anchor->window() : nullptr;
    const bool sheet = window != nullptr && window->isVisible();
    // Heap-allocated and guarded: the parent window may be closed, and delete the box, while it runs.
    QPointer<QMessageBox> box = new QMessageBox(sheet ? window : nullptr);
    box->setIcon(QMessageBox::Warning);
    box->setText(alert.messageText);
    box->setInformativeText(alert.informativeText);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setWindowModality(sheet ? Qt::WindowModal : Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

} // namespace zendra::Hotkeys
