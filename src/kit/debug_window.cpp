#include "kit/debug_window.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zendra::KZApp {

namespace {

// Polling covers every writer, this process or another, without an observer per name.
constexpr int refreshIntervalMs = 500;

} // namespace

DebugView::DebugView(std::shared_ptr<Prefs::Suite> suite, std::shared_ptr<const MessageLog> log,
                     QWidget* parent)
    : MenuBarAppWindow(parent), suite_(std::move(suite)), messages_(std::move(log)),
      table_(new QTableWidget(0, 2)), log_(new QPlainTextEdit), timer_(new QTimer(this)) {
    setWindowTitle(QCoreApplication::translate("zendra::KZApp::DebugView", "Debug"));
    table_->setHorizontalHeaderLabels({QCoreApplication::translate("zendra::KZApp::DebugView", "Name"),
                                       QCoreApplication::translate("zendra::KZApp::DebugView", "Value")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    log_->setReadOnly(true);
    log_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(table_);
    splitter->addWidget(log_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(640, 520);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (isVisible()) {
            refresh();
        }
    });
    timer_->start(refreshIntervalMs);
    refresh();
}

void DebugView::refresh() {
    const Prefs::StoredDictionary entries = suite_ ? suite_->persistentDomain() : Prefs::StoredDictionary{};
    table_->setRowCount(int(entries.size()));
    int row = 0;
    for (const auto& [name, object] : entries) {
        const QString value = object.debugDescription();
        for (int column = 0; column < 2; ++column) {
            const QString& text = column == 0 ? name : value;
            QTableWidgetItem* item = table_->item(row, column);
            if (item == nullptr) {
                table_->setItem(row, column, new QTableWidgetItem(text));
            } else if (item->text() != text) {
                item->setText(text);
            }
        }
        ++row;
    }
    const QString text = messages_ ? messages_->lines().join(u'\n') : QString();
    if (log_->toPlainText() != text) {
        QScrollBar* bar = log_->verticalScrollBar();
        const bool atEnd = bar->value() == bar->maximum();
        log_->setPlainText(text);
        if (atEnd) {
            bar->setValue(bar->maximum());
        }
    }
}

DebugWindowController::~DebugWindowController() {
    delete window_.data();
}

void DebugWindowController::show() {
    if (!window_) {
        window_ = new DebugView(suite_, log_);
        window_->center();
    }
    window_->refresh();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace zendra::KZApp
