#pragma once

class QWidget;
class QWindow;

namespace zendra::KZApp {

// Keeps `window` above the application's other ordinary windows while it is shown: whenever one of
// them takes the focus, `window` is raised over it without taking the focus back. Other programs'
// windows stack with it as with any window. The watch ends with `window`.
void keepAboveOwnWindows(QWidget& window);

// Whether `kept` goes over `focused` when `focused` takes the focus: only for another plain,
// non-modal window of this application that belongs to no other window (dialogs and alerts stay
// above what they belong to), and only while `kept` is shown and not minimised.
bool raisesOver(const QWindow& focused, const QWindow& kept);

} // namespace zendra::KZApp
