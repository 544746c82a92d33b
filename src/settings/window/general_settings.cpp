#include "settings/window/general_settings.h"

#include "login_launch/toggle.h"
#include "settings/window/panel_item_setting.h"
#include "settings/window/switch_top_label_toggle_style.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace zendra::Settings {

GeneralSettings::GeneralSettings(QWidget* parent) : QWidget(parent), form_(new QFormLayout) {
    setMinimumHeight(160);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2 * margin, 2 * margin, 2 * margin, 2 * margin);
    form_->setFormAlignment(Qt::AlignHCenter | Qt::AlignTop);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    outer->addLayout(form_);
    outer->addStretch();

    launchAtLogin_ = new SwitchTopLabelToggleStyle(new LoginLaunch::Toggle, this);
    form_->addRow(launchAtLogin_);
    panelItem_ = new PanelItemSetting(this);
    form_->addRow(QCoreApplication::translate("zendra::Settings", "Show the text in:"), panelItem_);
}

void GeneralSettings::addRow(const QString& label, QWidget* field) {
    if (label.isEmpty()) {
        form_->addRow(field);
    } else {
        form_->addRow(label, field);
    }
}

} // namespace zendra::Settings
