#pragma once

class QFrame;
class QWidget;

namespace zendra::KZApp {

// A thin horizontal line between groups of controls, owned by `parent`.
QFrame* makeDivider(QWidget* parent);

} // namespace zendra::KZApp
