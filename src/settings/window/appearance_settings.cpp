#include "settings/window/appearance_settings.h"

#include "kit/divider.h"
#include "prefs/widgets/toggle.h"
#include "settings/catalogue.h"
#include "settings/window/appearance_rows.h"
#include "settings/window/reusable_menu_bar_item_color_setting.h"
#include "settings/window/secondary_text_style.h"
#include "settings/window/text_size_slider.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace zendra::Settings {

double AppearanceSettings::minimumTextSize() {
    return systemFontSize() - 4;
}

double AppearanceSettings::maximumTextSize() {
    return systemFontSize() + 6;
}

AppearanceSettings::AppearanceSettings(std::function<bool()> isPanelDark, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    column->setContentsMargins(2 * margin, 2 * margin, 2 * margin, 2 * margin);
    const auto addDivider = [&] {
        column->addSpacing(margin);
        column->addWidget(KZApp::makeDivider(this));
        column->addSpacing(margin);
    };

    maximumWidth_ = new MaximumWidthSetting(this);
    column->addWidget(maximumWidth_);
    addDivider();

    textSize_ = new TextSizeSlider(QCoreApplication::translate("zendra::Settings", "Text size:"),
                                   Settings::textSize(), Settings::textSize().defaultValue(),
                                   minimumTextSize(), maximumTextSize(), this);
    column->addWidget(textSize_);
    addDivider();

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QCoreApplication::translate("zendra::Settings", "Color:"), this));
    color_ = new ReusableMenuBarItemColorSetting(Settings::color(), Settings::darkColor(),
                                                 std::move(isPanelDark), this);
    colorRow->addWidget(color_);
    colorRow->addStretch();
    column->addLayout(colorRow);
    addDivider();

    auto* form = new QFormLayout;
    prefix_ = new PrefLineEdit(Settings::prefix(), this);
    suffix_ = new PrefLineEdit(Settings::suffix(), this);
    form->addRow(QCoreApplication::translate("zendra::Settings", "Prefix:"), prefix_);
    form->addRow(QCoreApplication::translate("zendra::Settings", "Suffix:"), suffix_);
    column->addLayout(form);
    addDivider();

    auto* links = new QWidget(this);
    auto* linksColumn = new QVBoxLayout(links);
    linksColumn->setContentsMargins(0, 0, 0, 0);
    linksColumn->addWidget(
        new Prefs::Toggle(QCoreApplication::translate("zendra::Settings", "Improve legibility of links"),
                          Settings::legibleLinks(), links));
    auto* linksHelp = new QLabel(
        QCoreApplication::translate("zendra::Settings", "This makes text color and emojis look washed "
                                                        "out. There is no other way to affect link color."),
        links);
    applySecondaryTextStyle(*linksHelp);
    linksColumn->addWidget(linksHelp);
    legibleLinks_ = links;
    column->addWidget(links);
    addDivider();

    verticalAlignment_ = new VerticalAlignmentSetting(this);
    column->addWidget(verticalAlignment_);
    column->addStretch();
}

} // namespace zendra::Settings
