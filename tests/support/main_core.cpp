#include "support/temp_xdg_dirs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Keeps anything a test writes without its own TempXdgDirs out of the real home.
    const zendra::test::TempXdgDirs xdg;
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
