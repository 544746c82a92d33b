#pragma once

// The welcome window's content: on the first page the icon, the product's name and launch at login;
// "Continue" leads (for good) to the second page, on how to keep the panel item visible, whose
// "Get Started" (also Return) flies the window into the item and greets the user there.

#include "kit/anchored_tooltip.h"
#include "kit/desktop_effects.h"
#include "prefs/suite.h"

#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace zendra {

class WelcomeScreen final : public QWidget {
    Q_OBJECT
public:
    struct Environment {
        // The window that shows the screen, while there is one.
        std::function<QWidget*()> hostingWindow;
        // Where the panel item is now (global logical coordinates); none when that is not known.
        std::function<std::optional<QRect>()> itemFrame;
        std::shared_ptr<const KZApp::DesktopEffects> effects; // default: plain
        std::shared_ptr<Prefs::Suite> suite; // where the greeting is counted; default: standard
    };

    static constexpr int width = 420;
    static constexpr int height = 460;
    static constexpr int iconSize = 160;
    static constexpr int greetingDelayMilliseconds = 100;
    static inline const QString greetingIdentifier = QStringLiteral("statusBarButtonWelcomePopover");

    explicit WelcomeScreen(Environment environment, int buttonWidth = 100, QWidget* parent = nullptr);
    ~WelcomeScreen() override;

    bool isLastPage() const { return isLastPage_; }
    // "Continue".
    void showLastPage();
    // "Get Started": flies the hosting window into the item (or, without one, skips that), then greets.
    // Runs once; later presses do nothing.
    void getStarted();

    // The greeting at the item once "Get Started" has got that far; else null.
    const KZApp::AnchoredTooltip* greeting() const { return greeting_.get(); }
    // Where the greeting points: the item's frame, or the top-right corner of the primary screen's
    // available area when the item's place is not known.
    static QRect itemAnchor(const std::optional<QRect>& itemFrame);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void greet();
    QRect currentItemAnchor() const;

    Environment environment_;
    bool isLastPage_ = false;
    bool started_ = false;
    QWidget* titleLines_;
    QStackedWidget* pages_;
    QPushButton* getStartedButton_;
    std::unique_ptr<KZApp::AnchoredTooltip> greeting_;
};

} // namespace zendra
