#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>

struct xcb_connection_t;
struct xcb_screen_t;

namespace zendra::x11 {

// An xcb connection of Zendra's own (independent of the toolkit's), closed when destroyed.
class Connection {
public:
    // Connects to `display`, or to $DISPLAY when empty. Check isValid().
    explicit Connection(const QByteArray& display = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isValid() const { return connection_ != nullptr; }
    // False once the server has gone away or the connection failed.
    bool isAlive() const;
    xcb_connection_t* get() const { return connection_; }
    std::uint32_t rootWindow() const { return root_; }
    int fileDescriptor() const;

private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

} // namespace zendra::x11
