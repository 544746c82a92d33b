#pragma once

#include <QString>
#include <QToolButton>
#include <functional>
#include <optional>

class QLabel;

namespace zendra::Settings {

class Popover;

// A round question-mark button that shows `content` in a popover under it, wrapped to at most
// `maxWidth` pixels. Pressing it opens the popover and calls onAction(true).
class InfoPopoverButton : public QToolButton {
public:
    InfoPopoverButton(const QString& content, std::optional<int> maxWidth = std::nullopt,
                      QWidget* parent = nullptr);
    ~InfoPopoverButton() override;

    void setOnAction(std::function<void(bool)> onAction) { onAction_ = std::move(onAction); }
    bool isPopoverPresented() const { return presented_; }
    // The text shown in the popover.
    QLabel* contentLabel() const { return label_; }

private:
    void present();

    Popover* popover_;
    QLabel* label_;
    bool presented_ = false;
    std::function<void(bool)> onAction_;
};

} // namespace zendra::Settings
