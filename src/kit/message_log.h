#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstddef>
#include <deque>
#include <mutex>

namespace zendra::KZApp {

// The last lines of the process's own diagnostics, kept in memory for the debug report and the debug
// window. Safe to use from any thread.
class MessageLog {
public:
    static constexpr std::size_t defaultCapacity = 400;

    explicit MessageLog(std::size_t capacity = defaultCapacity);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    // Routes every Qt message of the process through this log: each is kept here and still handed to
    // the handler that was installed before (which writes standard error). Undone when the log is
    // destroyed. One log at a time: false while another one is installed.
    bool install();
    void append(const QString& line);
    QStringList lines() const;

private:
    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);

    mutable std::mutex mutex_;
    std::deque<QString> lines_;
    std::size_t capacity_;
    QtMessageHandler previous_ = nullptr;
    bool installed_ = false;
};

// One report line: time of day, level, category and message.
QString formatLogLine(QtMsgType type, const char* category, const QString& message);

} // namespace zendra::KZApp
