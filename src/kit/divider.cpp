#include "kit/divider.h"

#include <QFrame>

namespace zendra::KZApp {

QFrame* makeDivider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace zendra::KZApp
