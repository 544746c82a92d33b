#include "base/thread_target.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ThreadTargetTest, RefusesWorkOnceItsObjectIsGone) {
    auto object = std::make_unique<QObject>();
    auto target = zendra::ThreadTarget::make(object.get());
    int runs = 0;
    EXPECT_TRUE(target->post([&] { ++runs; }));
    object.reset(); // drops the queued work with the object
    EXPECT_FALSE(target->isAlive());
    EXPECT_FALSE(target->post([&] { ++runs; }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 0);
}

} // namespace
