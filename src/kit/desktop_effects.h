#pragma once

namespace zendra::KZApp {

// What the desktop says about visual effects. The kit's windows fade only where a compositor draws
// them and fly only when the user has not asked for less motion.
class DesktopEffects {
public:
    virtual ~DesktopEffects() = default;

    // True while a compositor draws the windows, so that window opacity shows.
    virtual bool isCompositing() const = 0;
    // True when the user asked the desktop for reduced motion; false when the desktop does not say.
    virtual bool prefersReducedMotion() const = 0;
};

// No compositor, no preference: windows show at once and animations run.
class PlainDesktopEffects final : public DesktopEffects {
public:
    bool isCompositing() const override { return false; }
    bool prefersReducedMotion() const override { return false; }
};

} // namespace zendra::KZApp
