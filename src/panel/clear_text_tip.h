#pragma once

// The one-time tip that tells how to clear the text: a small popup under the panel item that closes
// when it is clicked.

#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

namespace zendra {

class ClearTextTip final : public QWidget {
public:
    // `onClicked` runs when the user clicks anywhere on the tip (the tip does not hide itself).
    explicit ClearTextTip(std::function<void()> onClicked);

    // Shows the tip centred under `anchor` (global logical coordinates), or under the top-right corner
    // of the work area without one; below the panel, inside the work area.
    void showUnder(std::optional<QRect> anchor);

    static constexpr int contentWidth = 380;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> onClicked_;
};

} // namespace zendra
