#include "editor/fakes/main_screen_url_opener_fake.h"
#include "editor/main_screen.h"
#include "editor/main_screen_drop.h"
#include "prefs/prefs.h"
#include "prefs/standard_suite.h"
#include "settings/catalogue.h"
#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QThreadPool>
#include <gtest/gtest.h>

using namespace zendra;

namespace {

using zendra::MainScreen;

TEST(MainScreenDropPayload, TakesTheFirstUtf8PlainTextOnly) {
    QMimeData latin;
    latin.setData("text/html", "<b>x</b>");
    latin.setData("text/plain;charset=ISO-8859-1", "latin");
    EXPECT_FALSE(zendra::plainTextPayload(latin));

    latin.setData("text/plain; charset=\"UTF-8\"", "utf");
    latin.setData("text/plain", "plain");
    EXPECT_EQ(zendra::plainTextPayload(latin), QByteArray("utf"));

    QMimeData image;
    image.setData("image/png", "\x89PNG");
    EXPECT_FALSE(zendra::plainTextPayload(image));

    EXPECT_EQ(zendra::decodeUtf8("gr\xC3\xBC\xC3\x9F"), QStringLiteral("grüß"));
    EXPECT_FALSE(zendra::decodeUtf8("bad \xC3("));
}

class MainScreenDropTest : public testing::Test {
protected:
    void SetUp() override {
        Prefs::standardSuite()->removeAll();
        MainScreen::Environment env;
        env.launchCount = 5;
        env.urlOpener = std::make_shared<zendra::test::FakeUrlOpener>();
        screen = std::make_unique<MainScreen>(std::move(env));
        screen->show();
    }
    void TearDown() override {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        screen.reset();
        Prefs::standardSuite()->removeAll();
    }

    // Sends a drag entering and a drop at the window's top-left corner, outside the field.
    bool drop(const QMimeData& data) {
        const QPoint outside(4, 4);
        EXPECT_FALSE(screen->field()->geometry().contains(outside));
        QDragEnterEvent enter(outside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(screen.get(), &enter);
        QDropEvent dropped(QPointF(outside), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(screen.get(), &dropped);
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted());
        return dropped.isAccepted();
    }

    std::unique_ptr<MainScreen> screen;
};

TEST_F(MainScreenDropTest, DroppedTextStoresItsFirstLineAndUnusableDropsChangeNothing) {
    QMimeData image;
    image.setData("image/png", "\x89PNG");
    EXPECT_FALSE(drop(image));

    QMimeData data;
    data.setText(QStringLiteral("  first line  \nsecond line"));
    EXPECT_TRUE(drop(data));
    EXPECT_TRUE(zendra::test::waitUntil([] { return Prefs::get(Settings::text()) == "first line"; }));
    EXPECT_TRUE(zendra::test::waitUntil([&] { return screen->field()->text() == "first line"; }));

    QMimeData broken;
    broken.setData("text/plain", "bad \xC3(");
    EXPECT_TRUE(drop(broken)); // offered as text, so accepted; it fails to load and is ignored
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Prefs::get(Settings::text()), QStringLiteral("first line"));
}

} // namespace
