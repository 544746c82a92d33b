#include "event_loop.h"
#include "prefs/observable.h"
#include "prefs/prefs.h"

#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace zendra;

namespace {

using zendra::test::runQueuedEvents;

struct ObservableTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> text{"text", "", suite};
    std::unique_ptr<Prefs::Observable<QString>> observable =
        std::make_unique<Prefs::Observable<QString>>(text);
    int willChange = 0;
    int didChange = 0;
    std::vector<QString> seenAfterChange;
    std::vector<QThread*> threads;

    void SetUp() override {
        QObject::connect(observable.get(), &Prefs::ObservableBase::objectWillChange, [this] {
            ++willChange;
            threads.push_back(QThread::currentThread());
        });
        QObject::connect(observable.get(), &Prefs::ObservableBase::didChange, [this] {
            ++didChange;
            seenAfterChange.push_back(observable->value());
        });
    }
};

TEST_F(ObservableTest, AnnouncesOnceAfterCreationAndTwiceForItsOwnWrite) {
    EXPECT_EQ(willChange, 0) << "not from inside the constructor";
    runQueuedEvents();
    EXPECT_EQ(willChange, 1);
    EXPECT_EQ(didChange, 1);

    observable->setValue("typed");
    EXPECT_EQ(willChange, 2) << "announced before the write";
    EXPECT_EQ(observable->value(), "typed");
    runQueuedEvents();
    EXPECT_EQ(willChange, 3) << "and again when the change arrives";
    EXPECT_EQ(seenAfterChange, (std::vector<QString>{"", "typed", "typed"}))
        << "didChange comes after the write, for either announcement";
}

TEST_F(ObservableTest, WritesFromOtherThreadsAreAnnouncedOnTheMainThreadUntilDestroyed) {
    runQueuedEvents();
    std::thread([&] {
        Prefs::set(text, QString("a"));
        Prefs::set(text, QString("b"));
    }).join();
    runQueuedEvents();
    EXPECT_EQ(willChange, 3);
    for (auto* thread : threads) {
        EXPECT_EQ(thread, QCoreApplication::instance()->thread());
    }

    std::unique_ptr<Prefs::Observable<QString>> made;
    std::thread([&] { made = std::make_unique<Prefs::Observable<QString>>(text); }).join();
    EXPECT_EQ(made->thread(), QCoreApplication::instance()->thread()) << "one made elsewhere moves to main";

    Prefs::set(text, QString("queued")); // its announcement is pending when the observable goes
    observable.reset();
    Prefs::set(text, QString("after"));
    runQueuedEvents();
    EXPECT_EQ(willChange, 3) << "a destroyed observable announces nothing more";
}

} // namespace
