#include "kit/message_log.h"

#include <QTime>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace zendra::KZApp {

namespace {

// The handler is a plain function; it finds the installed log here.
std::atomic<MessageLog*> installedLog{nullptr};
QtMessageHandler forwardTo = nullptr;

const char* levelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "message";
}

} // namespace

QString formatLogLine(QtMsgType type, const char* category, const QString& message) {
    QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) + u' ' +
                   QLatin1String(levelName(type)) + u' ';
    if (category != nullptr && std::strcmp(category, "default") != 0) {
        line += QLatin1String(category) + QLatin1String(": ");
    }
    return line + message;
}

MessageLog::MessageLog(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

MessageLog::~MessageLog() {
    MessageLog* self = this;
    if (installed_ && installedLog.compare_exchange_strong(self, nullptr)) {
        qInstallMessageHandler(previous_);
    }
}

bool MessageLog::install() {
    MessageLog* none = nullptr;
    if (!installedLog.compare_exchange_strong(none, this)) {
        return installedLog.load() == this;
    }
    installed_ = true;
    previous_ = qInstallMessageHandler(&MessageLog::handleMessage);
    forwardTo = previous_;
    return true;
}

void MessageLog::append(const QString& line) {
    const std::lock_guard lock(mutex_);
    lines_.push_back(line);
    while (lines_.size() > capacity_) {
        lines_.pop_front();
    }
}

QStringList MessageLog::lines() const {
    const std::lock_guard lock(mutex_);
    return QStringList(lines_.begin(), lines_.end());
}

void MessageLog::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (MessageLog* log = installedLog.load()) {
        log->append(formatLogLine(type, context.category, message));
    }
    if (forwardTo != nullptr) {
        forwardTo(type, context, message);
    } else {
        // Qt's own default output: the formatted message on standard error.
        const QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
        std::fflush(stderr);
    }
}

} // namespace zendra::KZApp
