#include "kit/alert_boxes.h"
#include "kit/debug_window.h"
#include "kit/user_debug_window.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace zendra;
using namespace zendra::KZApp;

namespace {

struct FakeDesktop final : DesktopServices {
    void openUrl(const QUrl& url) override { opened << url; }
    void composeMail(const MailDraft& draft, const QString& name, const QByteArray& content) override {
        mails.push_back(draft);
        attachmentName = name;
        attachment = content;
    }
    void revealFolder(const QString& folder) override { revealed << folder; }

    QList<QUrl> opened;
    std::vector<MailDraft> mails;
    QString attachmentName;
    QByteArray attachment;
    QStringList revealed;
};

// Clicks the buttons titled `titles` of the next modal message boxes, one box each, in order; with
// `texts`, collects each box's text and informative text.
void answerAlerts(const QStringList& titles, QStringList* texts = nullptr) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, titles, texts, next = qsizetype(0)]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) {
            return;
        }
        box->setProperty("answered", true);
        if (texts) {
            *texts << box->text() + '\n' + box->informativeText();
        }
        const QString title = titles[next];
        if (++next == titles.size()) {
            timer->deleteLater();
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == title) {
                button->click();
                return;
            }
        }
        box->reject();
        ADD_FAILURE() << "no button " << title.toStdString();
    });
    timer->start(10);
}

void answerNextAlert(const QString& title) {
    answerAlerts({title});
}

struct DebugWindowsTest : testing::Test {
    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    int resets = 0;
    int relaunches = 0;
    QStringList resetProblems;

    DebugActions actions() {
        DebugActions a;
        a.applicationName = "Zendra";
        a.feedbackPage = QUrl("https://zendra.example/feedback");
        a.supportAddress = "support@zendra.example";
        a.crashReportsFolder = "/home/ann/.local/state/zendra/crashes";
        a.facts = [] {
            DebugFacts facts;
            facts.applicationName = "Zendra";
            facts.version = "1.2";
            facts.custom = {{"Desktop", "XFCE"}};
            return facts;
        };
        a.desktop = desktop;
        a.reset = [this] {
            ++resets;
            return resetProblems;
        };
        a.relaunch = [this] { ++relaunches; };
        return a;
    }
};

TEST_F(DebugWindowsTest, UserDebugViewButtonsReportAndResetOnlyAfterConfirmation) {
    UserDebugView view(actions());
    QStringList titles;
    for (int i = 0; i < 5; ++i) {
        titles << view.button(i)->text().replace("&&", "&");
        EXPECT_TRUE(view.button(i)->shortcut().isEmpty()) << "an \"&\" shows, it marks no mnemonic";
    }
    EXPECT_EQ(titles, QStringList({"Copy Debug Info", "Email Debug Info", "Send Crash Log",
                                   "Feedback & Support", "Delete Data & Settings"}));
    const QString report = actions().report();
    ASSERT_TRUE(report.startsWith("# Zendra 1.2\n"));

    view.button(0)->click();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), report);
    EXPECT_EQ(copied->data("text/plain;charset=utf-8"), report.toUtf8());

    view.button(1)->click();
    ASSERT_EQ(desktop->mails.size(), 1u);
    EXPECT_EQ(desktop->mails[0].recipients, QStringList({"support@zendra.example"}));
    EXPECT_EQ(desktop->mails[0].subject, "Zendra — Debug info");
    EXPECT_EQ(desktop->attachmentName, "debug-info.txt");
    EXPECT_EQ(desktop->attachment, report.toUtf8());

    view.button(3)->click();
    ASSERT_EQ(desktop->opened.size(), 1);
    EXPECT_EQ(QUrlQuery(desktop->opened[0]).queryItemValue("product"), "Zendra");
    EXPECT_TRUE(QUrlQuery(desktop->opened[0])
                    .queryItemValue("metadata", QUrl::FullyDecoded)
                    .endsWith("\nDesktop: XFCE"));

    answerNextAlert("Reveal “crashes” Folder");
    view.button(2)->click();
    EXPECT_EQ(desktop->revealed, QStringList({"/home/ann/.local/state/zendra/crashes"}));

    answerNextAlert("Cancel");
    view.button(4)->click();
    EXPECT_EQ(resets, 0) << "Cancel leaves everything in place";
    answerNextAlert("Delete");
    view.button(4)->click();
    EXPECT_EQ(resets, 1);

    answerNextAlert("Cancel");
    actions().promptDataResetAtLaunch();
    answerNextAlert("Delete");
    actions().promptDataResetAtLaunch();
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(relaunches, 2);

    // A reset that left something behind says what, and the application stays as it is.
    resetProblems = {"could not move /home/ann/.local/share/zendra to the trash: Permission denied"};
    QStringList alerts;
    answerAlerts({"Delete", "OK"}, &alerts);
    view.button(4)->click();
    answerAlerts({"Delete", "OK"}, &alerts);
    actions().promptDataResetAtLaunch();
    EXPECT_EQ(resets, 4);
    EXPECT_EQ(relaunches, 2) << "no relaunch as if the reset had happened";
    ASSERT_EQ(alerts.size(), 4);
    for (const int failure : {1, 3}) {
        EXPECT_EQ(alerts[failure], "Could not delete all data and settings for Zendra\nCould not move "
                                   "/home/ann/.local/share/zendra to the trash: Permission denied.");
    }
}

// The centre of the next modal message box, once it shows; the box is then cancelled.
void measureNextAlert(QPoint* centre) {
    QTimer::singleShot(0, [centre] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *centre = box->frameGeometry().center();
        box->reject();
    });
}

TEST_F(DebugWindowsTest, UserDebugWindowOpensCentredWithItsAlertsOnItAndLaunchPromptsComeForward) {
    QStringList activated; // the classes of the windows, in order
    DebugActions withActivation = actions();
    withActivation.activateWindow = [&activated](QWidget& window) {
        activated << window.metaObject()->className();
        window.show();
    };
    UserDebugWindowController controller(withActivation);
    controller.show();
    UserDebugView* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(activated, QStringList({"zendra::KZApp::MenuBarAppWindow"}))
        << "brought forward as the user asked";
    const QRect area = window->screen()->availableGeometry();
    EXPECT_LE((window->frameGeometry().center() - area.center()).manhattanLength(), 4) << "not in a corner";

    QPoint alertCentre;
    measureNextAlert(&alertCentre);
    window->button(4)->click();
    EXPECT_LE((alertCentre - window->frameGeometry().center()).manhattanLength(), 4) << "on its window";

    // The launch chord's prompt comes up while the user may be elsewhere: it is brought forward.
    answerNextAlert("Cancel");
    withActivation.promptDataResetAtLaunch();
    EXPECT_EQ(activated.value(1), "QMessageBox");

    // So is the hidden-item alert.
    answerNextAlert("OK");
    showVisibilityAlertBox(visibilityAlert(false, std::nullopt), withActivation.activateWindow);
    EXPECT_EQ(activated.value(2), "QMessageBox");
    EXPECT_EQ(activated.size(), 3) << "the debug window's own alerts open from a click in Zendra";
}

TEST_F(DebugWindowsTest, DeveloperWindowFollowsTheSuiteAndTheLog) {
    const auto suite = Prefs::Suite::makeInMemory();
    suite->setObject("text", Prefs::StoredObject("Ship it"));
    const auto log = std::make_shared<MessageLog>();
    log->append("first line");
    DebugView view(suite, log);
    ASSERT_EQ(view.table()->rowCount(), 1);
    EXPECT_EQ(view.table()->item(0, 1)->text(), "\"Ship it\"");

    suite->setObject("KZ_launchCount", Prefs::StoredObject(3));
    suite->setObject("text", Prefs::StoredObject("Call Alex"));
    log->append("second line");
    view.refresh();
    ASSERT_EQ(view.table()->rowCount(), 2);
    EXPECT_EQ(view.table()->item(0, 0)->text(), "KZ_launchCount");
    EXPECT_EQ(view.table()->item(1, 1)->text(), "\"Call Alex\"");
    EXPECT_EQ(view.logView()->toPlainText(), "first line\nsecond line");
}

} // namespace
