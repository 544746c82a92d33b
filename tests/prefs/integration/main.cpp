#include <QCoreApplication>
#include <gtest/gtest.h>

// These tests need real files and processes, but no display and no session bus.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
