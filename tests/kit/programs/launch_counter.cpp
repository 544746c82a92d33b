// Starts the support kit on the standard suite once and prints what it counted:
// "count=<launch count> first=<first launch date, ISO 8601 with milliseconds>".
#include "kit/kit.h"

#include <QCoreApplication>
#include <cstdio>

using namespace zendra;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    KZKit kit;
    QCoreApplication::processEvents();
    std::printf("count=%d first=%s\n", kit.launchCount(),
                qPrintable(kit.firstLaunchDate().toUTC().toString(Qt::ISODateWithMs)));
    return 0;
}
