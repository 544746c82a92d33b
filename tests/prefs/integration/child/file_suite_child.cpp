// A second process for the preferences-file tests. Usage:
//   file_suite_child <file> burst <names>          rewrites every name with a rising round number, forever
//   file_suite_child <file> write <prefix> <count> writes <prefix><i> = i, flushing after each write
//   file_suite_child <file> term <name> <value>    writes and waits for a termination signal
//   file_suite_child standard <name> <value>       writes to the standard suite and exits
#include "prefs/file_suite.h"
#include "prefs/standard_suite.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

using namespace zendra;

namespace {

void announce(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    constexpr int usage = 2; // the arguments match none of the forms above
    if (argc < 3) {
        return usage;
    }
    const std::string_view first = argv[1];
    if (first == "standard" && argc == 4) {
        Prefs::standardSuite()->setObject(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]));
        return 0;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const std::string_view command = argv[2];
    if (command == "burst" && argc == 4) {
        const int names = std::atoi(argv[3]);
        auto suite = Prefs::FileSuite::open(path);
        for (std::int64_t round = 1;; ++round) {
            for (int i = 0; i < names; ++i) {
                suite->setObject(QStringLiteral("n%1").arg(i), round);
            }
            if (round == 1) {
                suite->flush();
                announce("flushed");
            }
        }
    }
    if (command == "write" && argc == 5) {
        const QString prefix = QString::fromUtf8(argv[3]);
        const int count = std::atoi(argv[4]);
        auto suite = Prefs::FileSuite::open(path);
        for (int i = 0; i < count; ++i) {
            suite->setObject(prefix + QString::number(i), i);
            if (!suite->flush()) {
                return 1;
            }
        }
        return 0;
    }
    if (command == "term" && argc == 5) {
        Prefs::FileSuite::installTerminationFlush();
        // A window far longer than the test, so only the signal can have written the value.
        auto suite = Prefs::FileSuite::open(path, {std::chrono::hours(1), std::chrono::milliseconds(100)});
        suite->setObject(QString::fromUtf8(argv[3]), QString::fromUtf8(argv[4]));
        announce("ready");
        while (true) {
            ::pause();
        }
    }
    return usage;
}
