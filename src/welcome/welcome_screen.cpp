#include "welcome/welcome_screen.h"

#include "base/identity.h"
#include "kit/animate_into.h"
#include "login_launch/toggle.h"
#include "prefs/standard_suite.h"
#include "welcome/app_icon.h"
#include "welcome/balanced_lines.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace zendra {

namespace {

constexpr int defaultInset = 16;
constexpr int pageChangeMilliseconds = 250;
// The type scale's second title size, one step below the editor's 22-pixel title.
constexpr int secondTitlePixels = 17;

QLabel* makeLine(const QString& text, int pixelSize, QFont::Weight weight, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    return label;
}

QPushButton* makePageButton(const QString& title, int buttonWidth, QWidget* parent) {
    auto* button = new QPushButton(title, parent);
    // The large control size: taller than a standard button, the label given its width.
    button->setMinimumWidth(buttonWidth + 2 * defaultInset);
    button->setMinimumHeight(32);
    return button;
}

QWidget* makePage(QWidget* content, QPushButton* button, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(content, 0, Qt::AlignHCenter);
    // The flexible space between the content and the button: the button keeps to the bottom.
    layout->addStretch(1);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    return page;
}

} // namespace

WelcomeScreen::WelcomeScreen(Environment environment, int buttonWidth, QWidget* parent)
    : QWidget(parent), environment_(std::move(environment)) {
    if (!environment_.effects) {
        environment_.effects = std::make_shared<KZApp::PlainDesktopEffects>();
    }
    if (!environment_.suite) {
        environment_.suite = Prefs::standardSuite();
    }
    setObjectName(QStringLiteral("welcomeScreen"));
    setFixedSize(width, height);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2 * defaultInset, 2 * defaultInset - 20, 2 * defaultInset, 2 * defaultInset);
    layout->setAlignment(Qt::AlignHCenter);

    // The header: the icon, and on the first page the title lines.
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("welcomeIcon"));
    icon->setPixmap(applicationIcon(iconSize, devicePixelRatioF()));
    icon->setFixedSize(iconSize, iconSize);
    layout->addWidget(icon, 0, Qt::AlignHCenter);

    titleLines_ = new QWidget(this);
    titleLines_->setObjectName(QStringLiteral("welcomeTitleLines"));
    auto* titles = new QVBoxLayout(titleLines_);
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(0);
    titles->addWidget(makeLine(tr("Welcome to"), secondTitlePixels, QFont::Normal, titleLines_));
    titles->addWidget(makeLine(QString::fromUtf8(identity::applicationName), 40, QFont::Black, titleLines_));
    titles->addSpacing(8);
    auto* subtitle =
        makeLine(tr("Put your most important task or goal in the panel"), 14, QFont::Normal, titleLines_);
    subtitle->setObjectName(QStringLiteral("welcomeSubtitle"));
    // Wrapped lines of about equal length, never one lone word on the last.
    // A few pixels of slack: the label lays out through a text document, which may round differently.
    const int subtitleWidth = width - 4 * defaultInset;
    subtitle->setFixedWidth(
        std::min(subtitleWidth, balancedWidth(subtitle->text(), subtitle->font(), subtitleWidth) + 4));
    titles->addWidget(subtitle, 0, Qt::AlignHCenter);
    layout->addWidget(titleLines_);

    pages_ = new QStackedWidget(this);
    auto* toggle = new LoginLaunch::Toggle(pages_);
    auto* continueButton = makePageButton(tr("Continue"), buttonWidth, pages_);
    continueButton->setObjectName(QStringLiteral("welcomeContinue"));
    connect(continueButton, &QPushButton::clicked, this, &WelcomeScreen::showLastPage);
    pages_->addWidget(makePage(toggle, continueButton, pages_));

    auto* note =
        new QLabel(tr("The panel may hide items that do not fit. You are recommended to set a "
                      "maximum width of the panel item in the app settings. When Zendra shows the "
                      "item in its own window, you can also drag it towards the right side while "
                      "holding the Super key.") +
                       QStringLiteral("\n\n") +
                       tr("If you have any feedback, bug reports, or feature requests, use the feedback "
                          "button in the app. I quickly respond to all submissions."),
                   pages_);
    note->setObjectName(QStringLiteral("welcomeNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignHCenter);
    note->setContentsMargins(defaultInset, defaultInset, defaultInset, defaultInset);
    note->setFixedWidth(width - 4 * defaultInset);
    getStartedButton_ = makePageButton(tr("Get Started"), buttonWidth, pages_);
    getStartedButton_->setObjectName(QStringLiteral("welcomeGetStarted"));
    connect(getStartedButton_, &QPushButton::clicked, this, &WelcomeScreen::getStarted);
    pages_->addWidget(makePage(note, getStartedButton_, pages_));
    // The page takes the height the header leaves, so its own flexible space lies between its content
    // and its button: the content stays under the header, the button at the bottom, on both pages.
    layout->addWidget(pages_, 1);

    continueButton->setFocus();
}

void WelcomeScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window opens for the keyboard: "Continue" shows its focus before any Tab was pressed.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

WelcomeScreen::~WelcomeScreen() = default;

void WelcomeScreen::showLastPage() {
    if (isLastPage_) {
        return;
    }
    isLastPage_ = true;
    titleLines_->hide();
    pages_->setCurrentIndex(1);
    getStartedButton_->setFocus();
    if (!environment_.effects->prefersReducedMotion()) {
        auto* effect = new QGraphicsOpacityEffect(pages_);
        pages_->setGraphicsEffect(effect);
        auto* fade = new QPropertyAnimation(effect, "opacity", effect);
        fade->setDuration(pageChangeMilliseconds);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        connect(fade, &QPropertyAnimation::finished, pages_,
                [pages = pages_] { pages->setGraphicsEffect(nullptr); });
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }
}

void WelcomeScreen::getStarted() {
    if (started_) {
        return;
    }
    started_ = true;
    QWidget* window = environment_.hostingWindow ? environment_.hostingWindow() : nullptr;
    if (window == nullptr) {
        greet();
        return;
    }
    KZApp::animateInto(*window, currentItemAnchor(), *environment_.effects,
                       [screen = QPointer<WelcomeScreen>(this)] {
                           if (screen) {
                               screen->greet();
                           }
                       });
}

void WelcomeScreen::greet() {
    QTimer::singleShot(greetingDelayMilliseconds, this, [this] {
        KZApp::Tooltip::Options options;
        options.identifier = greetingIdentifier;
        //: %1 is the application's name.
        options.text = tr("Hello, I'm %1").arg(QString::fromUtf8(identity::applicationName));
        options.closeOnClick = true;
        greeting_ = std::make_unique<KZApp::AnchoredTooltip>(std::move(options), environment_.suite);
        greeting_->show(currentItemAnchor());
    });
}

QRect WelcomeScreen::currentItemAnchor() const {
    return itemAnchor(environment_.itemFrame ? environment_.itemFrame() : std::nullopt);
}

QRect WelcomeScreen::itemAnchor(const std::optional<QRect>& itemFrame) {
    if (itemFrame) {
        return *itemFrame;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1, 1);
    return QRect(area.right(), area.top(), 1, 1);
}

void WelcomeScreen::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isLastPage_) {
        getStarted();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zendra
