#pragma once

#include <QWidget>
#include <memory>

namespace zendra::KZApp {

// A controller of a window the application shows at most once at a time: SingleWindows keeps one
// instance per controller class and presents its window. The controller owns the window for its whole
// life (closing only hides it, so showing it again brings back the same window); do not give the window
// Qt::WA_DeleteOnClose.
class SingletonWindowController {
public:
    virtual ~SingletonWindowController();
    SingletonWindowController(const SingletonWindowController&) = delete;
    SingletonWindowController& operator=(const SingletonWindowController&) = delete;

    QWidget* window() const { return window_.get(); }
    // Whether presenting the window also activates it (takes the keyboard focus from other
    // applications). Zendra never has a taskbar entry, so it always counts as an accessory.
    virtual bool shouldActivateWindowWhenAppIsAccessory() const { return true; }

protected:
    SingletonWindowController() = default;
    void setWindow(std::unique_ptr<QWidget> window) { window_ = std::move(window); }

private:
    std::unique_ptr<QWidget> window_;
};

} // namespace zendra::KZApp
