#pragma once

#include <QByteArray>
#include <chrono>
#include <optional>
#include <utility>

namespace zendra::test {

// Owns one file descriptor and closes it when destroyed.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

// Both ends close on exec; a spawned child receives an end only through an explicit mapping.
Pipe makePipe();

// An anonymous in-memory file that a child writes its output into. Unlike a pipe it never fills up,
// so a chatty child cannot block while nobody reads.
UniqueFd makeCaptureFile(const char* name);

// Everything written to a capture file so far.
QByteArray readCaptureFile(int fd);

// Reads from a pipe until a newline, end of file or the timeout. Returns the line without the newline,
// or nothing when no complete line arrived (the writer closed the pipe or the time ran out).
std::optional<QByteArray> readLine(int fd, std::chrono::milliseconds timeout);

} // namespace zendra::test
