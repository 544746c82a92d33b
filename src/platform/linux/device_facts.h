#pragma once

// Facts about this Linux system for the debug report.

#include "kit/debug_info.h"

#include <QProcessEnvironment>
#include <QString>
#include <optional>

namespace zendra::linux_facts {

// The distribution's name from its release information, with the kernel: "Debian GNU/Linux 12
// (bookworm), kernel 6.1.0-18-amd64".
QString operatingSystem();
// The firmware's vendor and product name, where readable.
std::optional<QString> hardwareModel();
// The session type and the desktop, from the environment.
KZApp::DebugEntries sessionEntries(const QProcessEnvironment& environment);

} // namespace zendra::linux_facts
