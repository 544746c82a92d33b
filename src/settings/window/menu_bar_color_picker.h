#pragma once

#include "prefs/color/color_bridge.h"
#include "prefs/key.h"
#include "prefs/widgets/pref.h"

#include <QColor>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;

namespace zendra::Settings {

class ResetOrUndoButton;

// A colour well whose face is the colour it shows; clicking it opens the colour dialog (with
// opacity), and a chosen colour is reported through onChosen.
class ColorWell : public QToolButton {
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor shownColor() const { return shown_; }
    void setShownColor(const QColor& color);
    void setOnChosen(std::function<void(const QColor&)> onChosen) { onChosen_ = std::move(onChosen); }
    // What choosing `color` in the dialog does.
    void choose(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor shown_;
    std::function<void(const QColor&)> onChosen_;
};

// A labelled colour well bound to an optional colour key, with a Reset button that removes the entry
// (disabled while there is none). The well shows the stored colour, else the given default, else the
// panel's standard text colour for its current light or dark appearance, which the row follows once a
// second while it is shown. A colour chosen in the well is always stored, even one equal to the
// default shown.
class MenuBarColorPicker : public QWidget {
public:
    MenuBarColorPicker(const QString& label, Prefs::Key<std::optional<QColor>> key,
                       std::function<bool()> isPanelDark, QWidget* parent = nullptr);

    void setDefaultColor(const std::optional<QColor>& color);
    QColor shownColor() const;
    ColorWell* well() const { return well_; }
    ResetOrUndoButton* resetButton() const { return reset_; }
    // The colour shown without a stored colour or a given default.
    QColor appearanceDefault() const { return appearanceDefault_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void render();
    void followAppearance();

    QLabel* label_;
    ColorWell* well_;
    ResetOrUndoButton* reset_;
    std::function<bool()> isPanelDark_;
    std::optional<QColor> defaultColor_;
    std::optional<bool> dark_;
    QColor appearanceDefault_{Qt::transparent};
    QTimer appearanceTimer_;
    Prefs::Pref<std::optional<QColor>> color_;
};

} // namespace zendra::Settings
