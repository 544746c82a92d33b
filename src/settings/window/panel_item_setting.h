#pragma once

#include "prefs/widgets/pref.h"

#include <QString>
#include <QWidget>

class QComboBox;

namespace zendra::Settings {

// Where the text is shown: the desktop's panel, Zendra's own bar, or whichever works. Read at start.
class PanelItemSetting : public QWidget {
public:
    explicit PanelItemSetting(QWidget* parent = nullptr);

    QComboBox* combo() const { return combo_; }

private:
    void render();

    QComboBox* combo_;
    Prefs::Pref<QString> item_;
};

} // namespace zendra::Settings
