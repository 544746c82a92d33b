#include "kit/user_debug_window.h"

#include "kit/divider.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra::KZApp {

UserDebugView::UserDebugView(DebugActions actions, QWidget* parent)
    : MenuBarAppWindow(parent), actions_(std::move(actions)) {
    setWindowTitle(QCoreApplication::translate("zendra::KZApp::UserDebugView", "%1 Debug")
                       .arg(actions_.applicationName));
    setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    const std::vector<std::pair<QString, std::function<void()>>> entries{
        {QCoreApplication::translate("zendra::KZApp::UserDebugView", "Copy Debug Info"),
         [this] { actions_.copyDebugInfo(); }},
        {QCoreApplication::translate("zendra::KZApp::UserDebugView", "Email Debug Info"),
         [this] { actions_.emailDebugInfo(); }},
        {QCoreApplication::translate("zendra::KZApp::UserDebugView", "Send Crash Log"),
         [this] { actions_.sendCrashLog(this); }},
        {QCoreApplication::translate("zendra::KZApp::UserDebugView", "Feedback & Support"),
         [this] { actions_.openFeedback(); }},
        {QCoreApplication::translate("zendra::KZApp::UserDebugView", "Delete Data & Settings"),
         [this] { actions_.deleteDataAndSettings(this); }},
    };
    for (const auto& [title, action] : entries) {
        if (!buttons_.empty()) {
            layout->addWidget(makeDivider(this));
        }
        // "&" would mark a mnemonic; these titles show it.
        auto* button = new QPushButton(QString(title).replace(u'&', QLatin1String("&&")), this);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    // The destructive one stands out.
    buttons_.back()->setStyleSheet(QStringLiteral("color: #d70015;"));
    // The base class gives a fixed starting size; this window takes the size its buttons need.
    adjustSize();
}

QPushButton* UserDebugView::button(int index) const {
    return buttons_.at(std::size_t(index));
}

UserDebugWindowController::~UserDebugWindowController() {
    delete window_.data();
}

void UserDebugWindowController::show() {
    if (!window_) {
        window_ = new UserDebugView(actions_);
        window_->center();
    }
    if (actions_.activateWindow) {
        actions_.activateWindow(*window_);
        return;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace zendra::KZApp
