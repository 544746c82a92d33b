#pragma once

// The panel item's view: renders the stored text and its appearance settings into the item on every
// change from any writer, stores dropped text, shows the one-time clear-text tip, highlights the item
// while text is dragged over it, and listens to the actions' global shortcuts for as long as it lives.
// Creating it is what registers those shortcuts. Main thread only.

#include "actions/user_actions.h"
#include "base/async_stream.h"
#include "hotkeys/event_type.h"
#include "hotkeys/name.h"
#include "panel/clear_text_tip.h"
#include "panel/panel_appearance.h"
#include "panel/status_bar.h"
#include "panel/status_item_renderer.h"
#include "prefs/widgets/pref.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QVariantAnimation>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zendra {

class StatusItemScreen final : public QObject {
public:
    struct Actions {
        // The global shortcut of an action was released: run the action.
        std::function<void(UserAction)> shortcutReleased;
    };

    // `item` and `appearance` must outlive the screen. The screen takes over the item's drop and
    // geometry events; clicks are left to whoever set them (they are passed on unchanged).
    StatusItemScreen(StatusBarItem& item, PanelAppearance& appearance, Actions actions,
                     QObject* parent = nullptr);
    ~StatusItemScreen() override;

    // The last rendering given to the item.
    const StatusItemRendering& rendering() const { return rendering_; }
    bool isDropTargeted() const { return isDropTargeted_; }
    bool isClearTextTipPresented() const { return isClearTextTipPresented_; }
    // The tip's popup while it is presented and the item is on screen to anchor it; else null.
    const ClearTextTip* clearTextTip() const;
    // The scale the item is drawn at (1.0, or on its way to 1.1 while a text drag hovers).
    double contentScale() const { return scale_; }

    // What the item reports; public so that a backend without its own events can forward them.
    void setDropTargeted(bool targeted);
    void dropText(const QString& text);
    // Hides the tip, as a click on it does.
    void dismissClearTextTip();

    // Clicks reach this callback; set it before or after construction.
    void setClickHandler(std::function<void(StatusItemMouseEvent, StatusItemClickModifiers)> handler);

    static constexpr double dropHighlightScale = 1.1;
    static constexpr int dropHighlightMilliseconds = 370;

private:
    void render();
    void textChanged();
    void presentClearTextTip();
    void placeClearTextTip();
    void listen(const Hotkeys::Name& name, std::function<void()> action);

    StatusBarItem& item_;
    PanelAppearance& appearance_;
    Actions actions_;
    std::function<void(StatusItemMouseEvent, StatusItemClickModifiers)> clickHandler_;

    Prefs::Pref<QString> text_;
    Prefs::Pref<QString> prefix_;
    Prefs::Pref<QString> suffix_;
    Prefs::Pref<double> textSize_;
    Prefs::Pref<double> maximumWidth_;
    Prefs::Pref<bool> legibleLinks_;
    Prefs::Pref<std::optional<QColor>> color_;
    Prefs::Pref<std::optional<QColor>> darkColor_;
    Prefs::Pref<std::optional<double>> verticalOffset_;

    QString lastText_;
    StatusItemRendering rendering_;
    bool isDropTargeted_ = false;
    bool isClearTextTipPresented_ = false;
    double scale_ = 1.0;
    QVariantAnimation scaleAnimation_;
    std::unique_ptr<ClearTextTip> tip_;
    std::vector<AsyncStream<Hotkeys::EventType>> listeners_;
};

} // namespace zendra
