#include "platform/linux/display_probe.h"

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zendra::linux_display {

namespace {

struct Socket {
    explicit Socket(int descriptor) : fd(descriptor) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    const int fd;
};

bool acceptsConnections(const QByteArray& socketPath) {
    sockaddr_un address{};
    if (socketPath.isEmpty() || std::size_t(socketPath.size()) >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), std::size_t(socketPath.size()));
    const Socket socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    return socket.fd >= 0 &&
           ::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

} // namespace

bool waylandDisplayReachable(const QByteArray& name) {
    if (name.isEmpty()) {
        return false;
    }
    if (name.startsWith('/')) {
        return acceptsConnections(name);
    }
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    return !runtimeDir.isEmpty() && acceptsConnections(runtimeDir + '/' + name);
}

bool qtWaylandPluginInstalled() {
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& folder : folders) {
        const QDir platforms(folder + QStringLiteral("/platforms"));
        if (!platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty()) {
            return true;
        }
    }
    return false;
}

} // namespace zendra::linux_display
