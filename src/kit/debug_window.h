#pragma once

// The developer debug window: the suite's entries in a table that follows changes, and the in-memory
// log. One window, created on first use and reused.

#include "kit/menu_bar_app_window.h"
#include "kit/message_log.h"
#include "prefs/suite.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QPlainTextEdit;
class QTableWidget;
class QTimer;

namespace zendra::KZApp {

class DebugView final : public MenuBarAppWindow {
public:
    DebugView(std::shared_ptr<Prefs::Suite> suite, std::shared_ptr<const MessageLog> log,
              QWidget* parent = nullptr);

    // Reads the suite and the log again (done by itself twice a second while shown).
    void refresh();
    QTableWidget* table() const { return table_; }
    QPlainTextEdit* logView() const { return log_; }

private:
    std::shared_ptr<Prefs::Suite> suite_;
    std::shared_ptr<const MessageLog> messages_;
    QTableWidget* table_;
    QPlainTextEdit* log_;
    QTimer* timer_;
};

class DebugWindowController {
public:
    DebugWindowController(std::shared_ptr<Prefs::Suite> suite, std::shared_ptr<const MessageLog> log)
        : suite_(std::move(suite)), log_(std::move(log)) {}
    ~DebugWindowController();
    void show();
    DebugView* window() const { return window_; }

private:
    std::shared_ptr<Prefs::Suite> suite_;
    std::shared_ptr<const MessageLog> log_;
    QPointer<DebugView> window_;
};

} // namespace zendra::KZApp
