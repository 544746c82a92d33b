#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

namespace zendra::Settings {

// Shows a check box as a centred column: its text as a label in the 14 px system font, then a large
// switch without text. The widget takes over `toggle` (which keeps its own behaviour); its text
// stays its accessible name.
class SwitchTopLabelToggleStyle : public QWidget {
public:
    explicit SwitchTopLabelToggleStyle(QAbstractButton* toggle, QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    QAbstractButton* toggle() const { return toggle_; }

private:
    QLabel* label_;
    QAbstractButton* toggle_;
};

} // namespace zendra::Settings
