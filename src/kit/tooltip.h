#pragma once

#include "prefs/standard_suite.h"
#include "prefs/suite.h"

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace zendra::KZApp {

// The content of a tip: its text inside content insets, wrapped at an optional maximum width. A click
// calls the click action.
class ToolTipView final : public QWidget {
    Q_OBJECT
public:
    ToolTipView(const QString& text, std::optional<int> maximumWidth, QMargins contentInsets,
                QWidget* parent = nullptr);

    QString text() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A popover tip anchored to a widget, counted under "KZ_Tooltip_" + identifier each time it is shown.
// With showOnlyOnce it is not shown again once that count is above zero. A tip that closes on click
// closes when its content or anything outside it is clicked; other tips stay until close().
class Tooltip {
public:
    struct Options {
        QString identifier;
        QString text;
        bool closeOnClick = true;
        std::optional<int> maximumWidth;
        QMargins contentInsets{10, 8, 10, 8};
        std::function<void()> onClick;
        bool showOnlyOnce = false;
        // Kept for callers that anchor tips to the menu bar item; every tip needs a visible anchor.
        bool showEvenWhenMenuBarItemIsHidden = false;
    };

    explicit Tooltip(Options options, std::shared_ptr<Prefs::Suite> suite = Prefs::standardSuite());
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    // Shows the tip next to `rect` (in `view`'s coordinates) on `preferredEdge`, moving it to the
    // opposite edge when it would leave the screen. Returns whether it was shown: not when the view is
    // not on screen, nor for a tip shown only once that was shown before.
    bool show(QWidget* view, QRect rect, Qt::Edge preferredEdge = Qt::BottomEdge);
    bool show(QWidget* view, Qt::Edge preferredEdge = Qt::BottomEdge);
    void close();

    bool isShown() const;
    // How often the tip has been shown, over all launches.
    int shownCount() const;
    // The popover window while it exists (for positioning checks and tests).
    QWidget* popover() const { return popover_.data(); }
    const Options& options() const { return options_; }

private:
    Options options_;
    std::shared_ptr<Prefs::Suite> suite_;
    QPointer<QWidget> popover_;
};

} // namespace zendra::KZApp
