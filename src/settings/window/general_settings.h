#pragma once

#include <QWidget>

class QFormLayout;

namespace zendra::Settings {

class PanelItemSetting;
class SwitchTopLabelToggleStyle;

// The General tab: the launch-at-login switch and where the text is shown, with room for further rows below
// it.
class GeneralSettings : public QWidget {
public:
    explicit GeneralSettings(QWidget* parent = nullptr);

    SwitchTopLabelToggleStyle* launchAtLogin() const { return launchAtLogin_; }
    PanelItemSetting* panelItem() const { return panelItem_; }
    // Adds a row below the existing ones; `label` may be empty for a row that spans the form.
    void addRow(const QString& label, QWidget* field);

private:
    QFormLayout* form_;
    SwitchTopLabelToggleStyle* launchAtLogin_;
    PanelItemSetting* panelItem_;
};

} // namespace zendra::Settings
