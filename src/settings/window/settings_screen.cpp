#include "settings/window/settings_screen.h"

#include "settings/window/appearance_settings.h"
#include "settings/window/general_settings.h"
#include "settings/window/shortcuts_settings.h"
#include "settings/window/symbols.h"

#include <QCoreApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zendra::Settings {

SettingsScreen::SettingsScreen(Environment environment, QWidget* parent)
    : MenuBarAppWindow(parent), tabs_(new QTabWidget(this)), general_(new GeneralSettings),
      appearance_(new AppearanceSettings(std::move(environment.isPanelDark))),
      shortcuts_(new ShortcutsSettings(environment.hasGlobalShortcuts)) {
    //: The title of the settings window.
    setWindowTitle(QCoreApplication::translate("zendra::Settings", "Settings"));
    shouldCloseOnEscapePress = true;
    tabs_->addTab(general_, symbolIcon(Symbol::general),
                  QCoreApplication::translate("zendra::Settings", "General"));
    tabs_->addTab(appearance_, symbolIcon(Symbol::appearance),
                  QCoreApplication::translate("zendra::Settings", "Appearance"));
    tabs_->addTab(shortcuts_, symbolIcon(Symbol::shortcuts),
                  QCoreApplication::translate("zendra::Settings", "Shortcuts"));
    tabs_->setDocumentMode(true);
    tabs_->setCurrentIndex(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(tabs_);
    tabs_->setFixedWidth(contentWidth);

    connect(tabs_, &QTabWidget::currentChanged, this, [this] { fitSelectedTab(); });
    fitSelectedTab();
    center();
}

void SettingsScreen::fitSelectedTab() {
    // The tab widget itself would be as high as its highest page: only the selected one counts here.
    QWidget* page = tabs_->currentWidget();
    if (!page) {
        return;
    }
    const int pageHeight =
        std::max(page->hasHeightForWidth() ? page->heightForWidth(contentWidth) : page->sizeHint().height(),
                 std::max(page->minimumSizeHint().height(), page->minimumHeight()));
    tabs_->setFixedHeight(tabs_->tabBar()->sizeHint().height() + pageHeight);
    adjustSize();
}

} // namespace zendra::Settings
