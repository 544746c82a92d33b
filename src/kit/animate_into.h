#pragma once

#include "kit/desktop_effects.h"

#include <QRect>
#include <functional>

class QWidget;

namespace zendra::KZApp {

inline constexpr int flightMilliseconds = 650;
inline constexpr int reducedMotionCloseMilliseconds = 400;

// Flies `window` into `target` (global logical coordinates, e.g. the panel item): a snapshot takes the
// window's place and moves along a curve toward the target while shrinking and, where a compositor
// runs, fading out; then the window is closed and `done` runs. When the user prefers reduced motion
// nothing moves: the window is closed after reducedMotionCloseMilliseconds. `done` runs once in every
// case, also when the window was destroyed meanwhile.
void animateInto(QWidget& window, QRect target, const DesktopEffects& effects, std::function<void()> done);

} // namespace zendra::KZApp
