#include "editor/main_screen.h"

#include "editor/about_box.h"
#include "editor/main_screen_drop.h"
#include "editor/main_screen_icons.h"
#include "editor/url_opener.h"
#include "kit/kit.h"
#include "kit/show_for_app_runs.h"
#include "settings/catalogue.h"
#include "text/text_rules.h"
#include "text/zendra_url.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolButton>
#include <QWindow>

namespace zendra {

namespace {

// Geometry, in device-independent pixels.
constexpr int windowWidth = 500;
constexpr int toolbarHeight = 40;
constexpr int contentHeight = 100; // room for the field with its insets below the toolbar
constexpr int fieldFrameHeight = 60;
constexpr int fieldInset = 32;
constexpr int fieldLift = 16;
constexpr int tipShiftRight = 32;
constexpr int tipLift = 6;
constexpr int titleFontPixels = 22;
constexpr int smallFontPixels = 11;

constexpr int placeholderLaunches = 3; // the placeholder shows on the launches before this one

int kitLaunchCount() {
    return KZKit::isStarted() ? KZKit::shared().launchCount() : 1;
}

} // namespace

MainScreen::MainScreen() : MainScreen(Environment{}) {}

MainScreen::MainScreen(Environment environment)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      actions_(std::make_shared<MainScreenActions>(std::move(environment.actions))),
      urlOpener_(environment.urlOpener ? std::move(environment.urlOpener)
                                       : std::make_shared<DesktopUrlOpener>()) {
    if (!actions_->showAbout) {
        actions_->showAbout = [this] { showAboutBox(this); };
    }
    if (!actions_->quit) {
        actions_->quit = [] { QCoreApplication::quit(); };
    }
    setWindowTitle(QStringLiteral("Zendra"));
    setFixedSize(windowWidth, toolbarHeight + contentHeight);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAcceptDrops(true);

    buildToolbar();
    buildField(environment.launchCount.value_or(kitLaunchCount()));
    KZApp::AppRuns* appRuns = environment.appRuns;
    if (appRuns == nullptr && KZKit::isStarted()) {
        appRuns = &KZKit::shared().appRuns();
    }
    buildCloseTip(appRuns);

    text_ = std::make_unique<Prefs::Pref<QString>>(Settings::text(), this, [this] { showStoredText(); });
    showStoredText();
}

MainScreen::~MainScreen() = default;

void MainScreen::buildToolbar() {
    auto* bar = new QWidget(this);
    bar->setGeometry(0, 0, windowWidth, toolbarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    row->addStretch(1);

    dismissButton_ = new QToolButton(bar);
    dismissButton_->setText(tr("Dismiss"));
    dismissButton_->setToolTip(tr("Dismiss"));
    dismissButton_->setIcon(dismissIcon());
    dismissButton_->setAutoRaise(true);
    dismissButton_->setFocusPolicy(Qt::NoFocus);
    connect(dismissButton_, &QToolButton::clicked, this, &QWidget::hide);
    // Return dismisses at once (a button's own shortcut would animate a click first).
    auto* returnKey = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(returnKey, &QShortcut::activated, this, &QWidget::hide);
    row->addWidget(dismissButton_);

    actionsMenu_ = new QMenu(this);
    fillActionsMenu(*actionsMenu_, actions_, urlOpener_);
    // The key equivalents work while the window is active, not only while the menu is open.
    addActions(actionsMenu_->actions());

    auto* actionButton = new QToolButton(bar);
    actionButton->setText(tr("Action"));
    actionButton->setToolTip(tr("Action"));
    actionButton->setIcon(actionIcon());
    actionButton->setAutoRaise(true);
    actionButton->setFocusPolicy(Qt::NoFocus);
    actionButton->setMenu(actionsMenu_);
    actionButton->setPopupMode(QToolButton::InstantPopup);
    actionButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    row->addWidget(actionButton);
}

void MainScreen::buildField(int launchCount) {
    field_ = new QLineEdit(this);
    field_->setFrame(false);
    QFont font = field_->font();
    font.setPixelSize(titleFontPixels);
    field_->setFont(font);
    QPalette palette = field_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    field_->setPalette(palette);
    field_->setPlaceholderText(launchCount < placeholderLaunches ? tr("What is the zendra?") : QString());

    // The 500 x 60 frame is centred in the content area and lifted; the field keeps its insets inside.
    const int frameTop = toolbarHeight + (contentHeight - fieldFrameHeight) / 2 - fieldLift;
    const int fieldHeight = field_->sizeHint().height();
    field_->setGeometry(fieldInset, frameTop + (fieldFrameHeight - fieldHeight) / 2,
                        windowWidth - 2 * fieldInset, fieldHeight);

    connect(field_, &QLineEdit::textEdited, this, &MainScreen::storeEdit);
    connect(field_, &QLineEdit::returnPressed, this, &QWidget::hide);
}

void MainScreen::buildCloseTip(KZApp::AppRuns* appRuns) {
    closeTip_ = new QLabel(tr("Press the <span style=\"font-family: monospace\">Return</span> key or click "
                              "the panel item to close this window"),
                           this);
    closeTip_->setTextFormat(Qt::RichText);
    QFont font = closeTip_->font();
    font.setPixelSize(smallFontPixels);
    closeTip_->setFont(font);
    closeTip_->setForegroundRole(QPalette::PlaceholderText);
    closeTip_->adjustSize();
    // The bottom-left corner of the field with its insets, moved right and up.
    const int insetBottom = field_->geometry().bottom() + 1 + fieldInset;
    closeTip_->move(tipShiftRight, insetBottom - tipLift - closeTip_->height());
    closeTip_->setAttribute(Qt::WA_TransparentForMouseEvents);

    if (appRuns == nullptr) {
        closeTip_->hide();
        return;
    }
    KZApp::ShowForAppRuns::attach(closeTip_,
                                  KZApp::ShowForAppRuns(*appRuns, 1, QStringLiteral("editWindowCloseTip")));
}

void MainScreen::storeEdit(const QString& edited) {
    const QString stored = removeLineBreaks(edited);
    if (stored != edited) {
        // Keep the cursor after the same character it followed, less the removed breaks before it.
        const int cursor = field_->cursorPosition();
        const int removedBefore =
            cursor - static_cast<int>(removeLineBreaks(QStringView(edited).left(cursor)).size());
        field_->setText(stored);
        field_->setCursorPosition(cursor - removedBefore);
    }
    text_->setValue(stored);
}

void MainScreen::showStoredText() {
    const QString stored = text_->value();
    if (field_->text() != stored) {
        field_->setText(stored);
    }
}

void MainScreen::openUrl(const QString& url) {
    if (const std::optional<QString> text = textFromZendraUrl(url)) {
        Prefs::set(Settings::text(), *text);
    }
}

void MainScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Typing starts in the field whenever the window comes up.
    field_->setFocus(Qt::ActiveWindowFocusReason);
}

void MainScreen::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // Without a title bar the window needs an edge of its own to stand apart from what lies behind it.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void MainScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainScreen::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemMove()) {
        manualDragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    event->accept();
}

void MainScreen::mouseMoveEvent(QMouseEvent* event) {
    if (manualDragOffset_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *manualDragOffset_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void MainScreen::mouseReleaseEvent(QMouseEvent* event) {
    manualDragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void MainScreen::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() != nullptr && plainTextPayload(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainScreen::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData() != nullptr && plainTextPayload(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainScreen::dropEvent(QDropEvent* event) {
    std::optional<QByteArray> payload =
        event->mimeData() ? plainTextPayload(*event->mimeData()) : std::nullopt;
    if (!payload) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    loadDroppedText(std::move(*payload), [](const QString& text) { Prefs::set(Settings::text(), text); });
}

} // namespace zendra
