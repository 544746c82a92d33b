#pragma once

#include "support/session_bus.h"
#include "support/xvfb_server.h"

#include <exception>
#include <gtest/gtest.h>
#include <optional>

namespace zendra::test {

// A fixture as a gtest global environment: made before the first test of the executable and ended
// after the last. For executables with a main that creates no QApplication on the display (the
// integration main starts its own servers before QApplication instead):
//     testing::AddGlobalTestEnvironment(new zendra::test::GlobalFixture<zendra::test::XvfbServer>);
// A fixture that cannot start fails the run, and no test runs.
template <typename Fixture> class GlobalFixture : public testing::Environment {
public:
    void SetUp() override {
        try {
            fixture_.emplace();
        } catch (const std::exception& e) {
            FAIL() << e.what();
        }
    }
    void TearDown() override { fixture_.reset(); }

    Fixture* get() { return fixture_ ? &*fixture_ : nullptr; }

private:
    std::optional<Fixture> fixture_;
};

using XvfbEnvironment = GlobalFixture<XvfbServer>;
using SessionBusEnvironment = GlobalFixture<SessionBus>;

} // namespace zendra::test
