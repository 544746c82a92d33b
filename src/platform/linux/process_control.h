#pragma once

#include "kit/relaunch.h"

namespace zendra::linux_process {

// Relaunch on Linux: the new instance is a detached child of its own (re-parented to init, not a child
// of this process), started with fork and exec; startDetached returns once exec has succeeded or
// failed. Termination quits the Qt event loop; the immediate exit runs the process's exit handlers.
class ProcessControl final : public KZApp::ProcessControl {
public:
    StartResult startDetached(const QString& program, const QStringList& arguments) override;
    qint64 currentProcessId() override;
    void exitImmediately(int status) override;
    void terminate() override;
};

} // namespace zendra::linux_process
