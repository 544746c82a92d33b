#include "prefs/file_lock.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace zendra::Prefs {
namespace {

using namespace std::chrono_literals;

// flock() locks belong to open files, so threads of one process contend as processes would.
TEST(FileLockTest, AWaiterOnTheRemovedFileStartsOverAndStillExcludesTheNext) {
    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.filePath("file.lock")).toStdString();
    auto first = FileLock::acquire(path);
    ASSERT_TRUE(first);
    ASSERT_TRUE(QFile::exists(QFile::decodeName(path.c_str())));

    // The second opens the file the first still holds, and waits on it.
    std::optional<FileLock> second;
    std::thread waiter([&] { second = FileLock::acquire(path); });
    std::this_thread::sleep_for(100ms);
    first.reset(); // removes the file, then lets go
    waiter.join();
    ASSERT_TRUE(second);
    EXPECT_TRUE(QFile::exists(QFile::decodeName(path.c_str()))) << "it holds the file at the path";

    // So a third, arriving now, waits for the second.
    std::atomic<bool> thirdHolds = false;
    std::thread third([&] {
        auto lock = FileLock::acquire(path);
        thirdHolds = lock.has_value();
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(thirdHolds);
    second.reset();
    third.join();
    EXPECT_TRUE(thirdHolds);
    EXPECT_FALSE(QFile::exists(QFile::decodeName(path.c_str()))) << "gone with its last holder";
}

} // namespace
} // namespace zendra::Prefs
