#pragma once

#include <QString>
#include <QToolButton>
#include <functional>

namespace zendra::Settings {

// A borderless button showing a backward arrow in a circle, named `title`; pressing it runs `action`.
class ResetOrUndoButton : public QToolButton {
public:
    ResetOrUndoButton(const QString& title, std::function<void()> action, QWidget* parent = nullptr);
};

} // namespace zendra::Settings
