#include "support/child_process.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace zendra::test {

namespace {

UniqueFd inputFile(const QByteArray& data) {
    UniqueFd fd = makeCaptureFile("zendra-child-stdin");
    qsizetype offset = 0;
    while (offset < data.size()) {
        const ssize_t n =
            ::write(fd.get(), data.constData() + offset, static_cast<size_t>(data.size() - offset));
        if (n < 0 && errno != EINTR) {
            throw std::runtime_error(std::string("cannot prepare standard input: ") + std::strerror(errno));
        }
        offset += n > 0 ? n : 0;
    }
    ::lseek(fd.get(), 0, SEEK_SET);
    return fd;
}

SpawnRequest requestFor(const QString& program, const QStringList& arguments,
                        const ChildProcessOptions& options, int in, int out, int err) {
    SpawnRequest request;
    request.program = program;
    request.arguments = arguments;
    request.environment = options.environment;
    request.workingDirectory = options.workingDirectory;
    request.standardInput = in;
    request.standardOutput = out;
    request.standardError = err;
    return request;
}

} // namespace

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments,
                           const ChildProcessOptions& options)
    : stdin_(inputFile(options.standardInput)), stdout_(makeCaptureFile("zendra-child-stdout")),
      stderr_(makeCaptureFile("zendra-child-stderr")),
      process_(requestFor(program, arguments, options, stdin_.get(), stdout_.get(), stderr_.get())) {}

std::optional<ExitStatus> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    return process_.wait(timeout);
}

} // namespace zendra::test
