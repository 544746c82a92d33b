#pragma once

#include <QFrame>
#include <functional>

namespace zendra::Settings {

// A small floating panel under a control: it closes on a click elsewhere or on Escape, and then
// reports so through onClosed. Give it a layout with its content.
class Popover : public QFrame {
public:
    explicit Popover(QWidget* anchor);

    // Shows the panel centred under the anchor, kept on the anchor's screen.
    void present();
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* anchor_;
    std::function<void()> onClosed_;
};

} // namespace zendra::Settings
