#pragma once

#include "kit/desktop_effects.h"

namespace zendra::test {

// A desktop whose answers the test sets.
class FakeDesktopEffects final : public KZApp::DesktopEffects {
public:
    bool isCompositing() const override { return compositing; }
    bool prefersReducedMotion() const override { return reducedMotion; }

    bool compositing = false;
    bool reducedMotion = false;
};

} // namespace zendra::test
