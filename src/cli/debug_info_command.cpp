#include "cli/debug_info_command.h"

#include <QCoreApplication>
#include <ostream>

namespace zendra {

int DebugInfoCommand::run() {
    streams_.out << report_().toStdString() << '\n' << std::flush;
    if (!streams_.out) {
        reportError(streams_.err,
                    QCoreApplication::translate("zendra::cli", "cannot write to standard output"));
        return exitFailure;
    }
    return exitSuccess;
}

} // namespace zendra
