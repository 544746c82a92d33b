#pragma once

// Whether the panel that shows the item is dark, and a notice when that changes.

#include <functional>
#include <utility>

namespace zendra {

class PanelAppearance {
public:
    virtual ~PanelAppearance() = default;

    virtual bool isDark() const = 0;
    // Called on the main thread after each change of isDark(); replaces the previous callback.
    virtual void setOnChange(std::function<void()> onChange) = 0;
};

// A fixed answer: for hosts that draw the item themselves, and for tests.
class FixedPanelAppearance final : public PanelAppearance {
public:
    explicit FixedPanelAppearance(bool dark = false) : dark_(dark) {}

    bool isDark() const override { return dark_; }
    void setOnChange(std::function<void()> onChange) override { onChange_ = std::move(onChange); }

    void setDark(bool dark) {
        if (dark != dark_) {
            dark_ = dark;
            if (onChange_) {
                onChange_();
            }
        }
    }

private:
    bool dark_;
    std::function<void()> onChange_;
};

} // namespace zendra
