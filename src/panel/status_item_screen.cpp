#include "panel/status_item_screen.h"

#include "hotkeys/hotkeys.h"
#include "kit/run_once.h"
#include "settings/catalogue.h"
#include "settings/shortcut_names.h"
#include "text/text_rules.h"

#include <QEasingCurve>

namespace zendra {

namespace {

// A quick spring that settles with a slight overshoot, as a well-damped spring does.
QEasingCurve springCurve() {
    QEasingCurve curve(QEasingCurve::OutBack);
    curve.setOvershoot(0.8);
    return curve;
}

} // namespace

StatusItemScreen::StatusItemScreen(StatusBarItem& item, PanelAppearance& appearance, Actions actions,
                                   QObject* parent)
    : QObject(parent), item_(item), appearance_(appearance), actions_(std::move(actions)),
      text_(Settings::text(), this, [this] { textChanged(); }),
      prefix_(Settings::prefix(), this, [this] { render(); }),
      suffix_(Settings::suffix(), this, [this] { render(); }),
      textSize_(Settings::textSize(), this, [this] { render(); }),
      maximumWidth_(Settings::maximumWidth(), this, [this] { render(); }),
      legibleLinks_(Settings::legibleLinks(), this, [this] { render(); }),
      color_(Settings::color(), this, [this] { render(); }),
      darkColor_(Settings::darkColor(), this, [this] { render(); }),
      verticalOffset_(Settings::menuBarTextVerticalAlignmentOffset(), this, [this] { render(); }),
      lastText_(text_.value()) {
    scaleAnimation_.setDuration(dropHighlightMilliseconds);
    scaleAnimation_.setEasingCurve(springCurve());
    QObject::connect(&scaleAnimation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        scale_ = value.toDouble();
        item_.setContentScale(scale_);
    });

    appearance_.setOnChange([this] { render(); });
    item_.setEvents({
        .clicked =
            [this](StatusItemMouseEvent event, StatusItemClickModifiers modifiers) {
                if (clickHandler_) {
                    clickHandler_(event, modifiers);
                }
            },
        .dropTargetedChanged = [this](bool targeted) { setDropTargeted(targeted); },
        .textDropped = [this](const QString& text) { dropText(text); },
        .geometryChanged = [this] { placeClearTextTip(); },
    });
    render();

    const std::vector<UserAction> shortcutActions = Settings::actionsWithShortcuts();
    // The streams stay where they are made: each delivers to its own place.
    listeners_.reserve(shortcutActions.size());
    for (const UserAction action : shortcutActions) {
        listen(*Settings::shortcutName(action), [this, action] {
            if (actions_.shortcutReleased) {
                actions_.shortcutReleased(action);
            }
        });
    }
}

StatusItemScreen::~StatusItemScreen() {
    appearance_.setOnChange({});
    item_.setEvents({});
}

void StatusItemScreen::setClickHandler(
    std::function<void(StatusItemMouseEvent, StatusItemClickModifiers)> handler) {
    clickHandler_ = std::move(handler);
}

const ClearTextTip* StatusItemScreen::clearTextTip() const {
    return tip_ && tip_->isVisible() ? tip_.get() : nullptr;
}

void StatusItemScreen::render() {
    StatusItemContent content;
    content.text = text_.value();
    content.prefix = prefix_.value();
    content.suffix = suffix_.value();
    content.textSize = textSize_.value();
    content.maximumWidth = maximumWidth_.value();
    content.legibleLinks = legibleLinks_.value();
    content.color = color_.value();
    content.darkColor = darkColor_.value();
    content.verticalOffset = verticalOffset_.value();
    content.isDark = appearance_.isDark();
    content.devicePixelRatio = item_.devicePixelRatio();

    rendering_ = renderStatusItem(content);
    item_.setDarkAppearance(content.isDark);
    item_.setImage(rendering_.image, rendering_.itemSize);
    item_.setToolTip(rendering_.toolTip);
    item_.setLabel(rendering_.isPlaceholder ? QString() : rendering_.shownText);
    placeClearTextTip();
}

void StatusItemScreen::textChanged() {
    render();
    const QString text = text_.value();
    if (text == lastText_) {
        return;
    }
    lastText_ = text;
    if (text.isEmpty()) {
        dismissClearTextTip();
    } else if (!isClearTextTipPresented_ && KZApp::runOnce(QStringLiteral("clearTextByShiftClickTip"))) {
        presentClearTextTip();
    }
}

void StatusItemScreen::presentClearTextTip() {
    isClearTextTipPresented_ = true;
    if (!tip_) {
        tip_ = std::make_unique<ClearTextTip>([this] { dismissClearTextTip(); });
    }
    placeClearTextTip();
}

void StatusItemScreen::placeClearTextTip() {
    if (!isClearTextTipPresented_ || !tip_) {
        return;
    }
    // An item on screen whose place is unknown (a panel host that has not reported one) gets the tip
    // under the top-right corner; one off screen makes it wait for the item to come back.
    if (item_.isOnScreen()) {
        tip_->showUnder(item_.anchorRect());
    } else {
        tip_->hide();
    }
}

void StatusItemScreen::dismissClearTextTip() {
    isClearTextTipPresented_ = false;
    if (tip_) {
        tip_->hide();
    }
}

void StatusItemScreen::setDropTargeted(bool targeted) {
    if (targeted == isDropTargeted_) {
        return;
    }
    isDropTargeted_ = targeted;
    scaleAnimation_.stop();
    scaleAnimation_.setStartValue(scale_);
    scaleAnimation_.setEndValue(targeted ? dropHighlightScale : 1.0);
    scaleAnimation_.start();
}

void StatusItemScreen::dropText(const QString& text) {
    setDropTargeted(false);
    Prefs::set(Settings::text(), singleLineText(text));
}

void StatusItemScreen::listen(const Hotkeys::Name& name, std::function<void()> action) {
    auto& stream = listeners_.emplace_back(Hotkeys::events(Hotkeys::EventType::keyUp, name));
    stream.forEach(this, [action = std::move(action)](const Hotkeys::EventType&) {
        action();
        return true;
    });
}

} // namespace zendra
