#include "app/identity.h"

#include <cstring>
#include <iostream>

namespace {

void printUsage(std::ostream& out) {
    out << "Usage: zendra [--help] [--version]\n"
           "\n"
           "Keeps your one most important task visible in the desktop panel.\n"
           "\n"
           "Options:\n"
           "  --help     Show this help and exit.\n"
           "  --version  Show the version and exit.\n";
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << zendra::identity::applicationName << ' ' << zendra::identity::version << '\n';
            return 0;
        }
        std::cerr << "zendra: unknown argument '" << argv[i] << "'\n";
        printUsage(std::cerr);
        return 2;
    }
    std::cout << zendra::identity::applicationName << ' ' << zendra::identity::version
              << ": the panel item arrives in a later version.\n";
    printUsage(std::cout);
    return 0;
}
