#include "settings/window/panel_item_setting.h"

#include "settings/catalogue.h"
#include "settings/window/secondary_text_style.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zendra::Settings {

PanelItemSetting::PanelItemSetting(QWidget* parent)
    : QWidget(parent), combo_(new QComboBox(this)), item_(Settings::panelItem(), this, [this] { render(); }) {
    combo_->addItem(QCoreApplication::translate("zendra::Settings", "Automatically"), QStringLiteral("auto"));
    combo_->addItem(QCoreApplication::translate("zendra::Settings", "The desktop's panel"),
                    QStringLiteral("panel"));
    combo_->addItem(QCoreApplication::translate("zendra::Settings", "Zendra's own bar"),
                    QStringLiteral("window"));
    combo_->setAccessibleName(QCoreApplication::translate("zendra::Settings", "Show the text in"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(combo_);
    auto* hint = new QLabel(
        QCoreApplication::translate("zendra::Settings", "Takes effect the next time Zendra starts."), this);
    applySecondaryTextStyle(*hint);
    column->addWidget(hint);

    connect(combo_, &QComboBox::activated, this,
            [this](int index) { item_.setValue(combo_->itemData(index).toString()); });
    render();
}

void PanelItemSetting::render() {
    const int index = combo_->findData(item_.value());
    const QSignalBlocker blocker(combo_);
    // An unknown stored value shows as "Automatically", which is how it is read at start.
    combo_->setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace zendra::Settings
