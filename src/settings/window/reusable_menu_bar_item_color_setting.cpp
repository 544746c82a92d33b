#include "settings/window/reusable_menu_bar_item_color_setting.h"

#include "settings/window/color_circle_button.h"
#include "settings/window/color_palette.h"
#include "settings/window/menu_bar_color_picker.h"
#include "settings/window/popover.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zendra::Settings {

namespace {

constexpr int presetColumns = 5;

} // namespace

ReusableMenuBarItemColorSetting::ReusableMenuBarItemColorSetting(Prefs::Key<std::optional<QColor>> lightColor,
                                                                 Prefs::Key<std::optional<QColor>> darkColor,
                                                                 std::function<bool()> isPanelDark,
                                                                 QWidget* parent)
    : QWidget(parent), pickButton_(new ColorCircleButton(Qt::transparent, true, 20, this)),
      popover_(new Popover(pickButton_)), light_(lightColor, this, [this] { render(); }),
      dark_(darkColor, this, [this] { render(); }) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(pickButton_);
    pickButton_->setAccessibleName(QCoreApplication::translate("zendra::Settings", "Pick color"));
    pickButton_->setToolTip(QCoreApplication::translate("zendra::Settings", "Pick color"));
    connect(pickButton_, &QAbstractButton::clicked, this, [this] { presentPopover(); });

    popover_->setMaximumWidth(300);
    auto* content = new QVBoxLayout(popover_);
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(0);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(12, 12, 12, 12);
    int index = 0;
    for (const QColor& preset : colorPalette()) {
        auto* button = new ColorCircleButton(preset, false, 26, popover_);
        button->setAccessibleName(preset.name());
        connect(button, &QAbstractButton::clicked, this, [this, preset] {
            light_.setValue(preset);
            dark_.setValue(preset);
        });
        grid->addWidget(button, index / presetColumns, index % presetColumns, Qt::AlignCenter);
        presets_.push_back(button);
        ++index;
    }
    content->addLayout(grid);

    auto* divider = new QFrame(popover_);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    content->addWidget(divider);

    auto* custom = new QVBoxLayout;
    custom->setContentsMargins(12, 12, 12, 12);
    custom->setSpacing(12);
    lightPicker_ =
        new MenuBarColorPicker(QCoreApplication::translate("zendra::Settings", "For light background:"),
                               lightColor, isPanelDark, popover_);
    darkPicker_ =
        new MenuBarColorPicker(QCoreApplication::translate("zendra::Settings", "For dark background:"),
                               darkColor, isPanelDark, popover_);
    darkPicker_->setToolTip(QCoreApplication::translate(
        "zendra::Settings", "Choose a different color when using a dark wallpaper."));
    custom->addWidget(lightPicker_);
    custom->addWidget(darkPicker_);
    content->addLayout(custom);

    popover_->setOnClosed([this] { presented_ = false; });
    render();
}

ReusableMenuBarItemColorSetting::~ReusableMenuBarItemColorSetting() {
    popover_->setOnClosed({});
}

void ReusableMenuBarItemColorSetting::presentPopover() {
    presented_ = true;
    popover_->present();
}

void ReusableMenuBarItemColorSetting::render() {
    const auto light = light_.value();
    const auto dark = dark_.value();
    for (ColorCircleButton* preset : presets_) {
        preset->setHighlighted(light == preset->color() && dark == preset->color());
    }
    if (darkPicker_) {
        darkPicker_->setDefaultColor(light);
    }
}

} // namespace zendra::Settings
