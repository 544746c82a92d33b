#pragma once

#include "support/process_handle.h"
#include "support/scoped_env.h"
#include "support/unique_fd.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace zendra::test {

// A private X server (Xvfb, one 1920x1080x24 screen, no TCP, its own authorization cookie) on a free
// display. The constructor returns once the server accepts connections, with DISPLAY and XAUTHORITY
// pointing at it; the destructor puts both back and ends the server. The server cannot outlive the test
// process (see ProcessHandle). Throws std::runtime_error, with the server's output, when it cannot start.
//
// Integration tests get one for the whole executable from the integration test main. A test that needs
// a display of its own makes one as a fixture member and connects to it with display() (an xcb client,
// or a ChildProcess given DISPLAY). The QApplication stays on the display it opened first.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    int displayNumber() const { return number_; }
    QString display() const { return QStringLiteral(":%1").arg(number_); }
    QString authorityFile() const;
    pid_t pid() const { return process_->pid(); }

private:
    QTemporaryDir dir_;
    QByteArray cookie_;
    UniqueFd log_;
    std::optional<ProcessHandle> process_;
    int number_ = -1;
    std::optional<ScopedEnv> displayEnv_;
    std::optional<ScopedEnv> authorityEnv_;
};

} // namespace zendra::test
