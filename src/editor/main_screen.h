#pragma once

#include "editor/main_screen_actions.h"
#include "prefs/widgets/pref.h"

#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace zendra::KZApp {
class AppRuns;
}

namespace zendra {

class UrlOpener;

// The edit window: a floating, frameless window of fixed size with one field bound to "text". Every
// edit is stored at once (without line breaks) and every change of "text", from any writer, shows in
// the field. Return, Escape and "Dismiss" hide the window; it keeps its contents for the next show.
// The application finds it by its class (EditWindowLookup) and shows or hides it with toggle().
class MainScreen : public QWidget {
    Q_OBJECT

public:
    struct Environment {
        std::optional<int> launchCount;       // none: the support kit's, or the first launch
        KZApp::AppRuns* appRuns = nullptr;    // none: the kit's; without a kit the close tip stays hidden
        std::shared_ptr<UrlOpener> urlOpener; // none: the desktop's default browser
        MainScreenActions actions;            // showAbout and quit have defaults when left empty
    };

    MainScreen();
    explicit MainScreen(Environment environment);
    ~MainScreen() override;

    // The hooks of the actions menu; later parts fill openSettings and sendFeedback.
    MainScreenActions& actionHooks() { return *actions_; }

    // A "zendra:" URL opened with the application: its text is stored into "text"; anything else
    // is ignored.
    void openUrl(const QString& url);

    QLineEdit* field() const { return field_; }
    QLabel* closeTip() const { return closeTip_; }
    QMenu* actionsMenu() const { return actionsMenu_; }
    QToolButton* dismissButton() const { return dismissButton_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildToolbar();
    void buildField(int launchCount);
    void buildCloseTip(KZApp::AppRuns* appRuns);
    void storeEdit(const QString& edited);
    void showStoredText();

    std::shared_ptr<MainScreenActions> actions_;
    std::shared_ptr<UrlOpener> urlOpener_;
    QLineEdit* field_ = nullptr;
    QLabel* closeTip_ = nullptr;
    QMenu* actionsMenu_ = nullptr;
    QToolButton* dismissButton_ = nullptr;
    std::optional<QPoint> manualDragOffset_; // when the platform cannot move the window itself
    std::unique_ptr<Prefs::Pref<QString>> text_;
};

} // namespace zendra
