#include "prefs/suite.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace zendra;

namespace {

using Prefs::StoredObject;
using Prefs::Suite;
using Prefs::SuiteChange;

TEST(SuiteTest, ObserversSeeEffectiveOldAndNewObjectsAndPriorChangesFirst) {
    auto suite = Suite::makeInMemory();
    suite->registerDefaults({{"text", StoredObject(QString("default"))}});
    std::vector<SuiteChange> changes;
    const auto id = suite->addObserver("text", {.initial = true, .prior = false},
                                       [&](const SuiteChange& change) { changes.push_back(change); });
    ASSERT_EQ(changes.size(), 1u) << "initial change before addObserver returns";
    EXPECT_EQ(changes[0].newValue, StoredObject(QString("default")));
    EXPECT_FALSE(changes[0].oldValue.has_value());

    suite->setObject("text", StoredObject(QString("a")));
    suite->removeObject("text");
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[1].oldValue, StoredObject(QString("default")));
    EXPECT_EQ(changes[1].newValue, StoredObject(QString("a")));
    EXPECT_EQ(changes[2].newValue, StoredObject(QString("default"))) << "removal reveals the default";

    suite->removeObject("text");
    EXPECT_EQ(changes.size(), 3u) << "removing an absent entry changes nothing";

    suite->removeObserver(id);
    suite->setObject("text", StoredObject(QString("b")));
    EXPECT_EQ(changes.size(), 3u);

    changes.clear();
    suite->addObserver("n", {.initial = false, .prior = true},
                       [&](const SuiteChange& change) { changes.push_back(change); });
    suite->setObject("n", StoredObject(1.0));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(changes[0].isPrior) << "a prior change precedes each change";
    EXPECT_FALSE(changes[0].newValue.has_value());
    EXPECT_FALSE(changes[1].isPrior);
    EXPECT_EQ(changes[1].newValue, StoredObject(1.0));
}

TEST(SuiteTest, ObserverMayWriteAndRemoveItselfFromItsCallback) {
    auto suite = Suite::makeInMemory();
    Suite::ObserverId id = 0;
    int calls = 0;
    id = suite->addObserver("a", {}, [&](const SuiteChange&) {
        ++calls;
        suite->setObject("b", StoredObject(true)); // re-entrant write: no deadlock
        suite->removeObserver(id);
    });
    suite->setObject("a", StoredObject(1.0));
    suite->setObject("a", StoredObject(2.0));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(suite->object("b"), StoredObject(true));
}

TEST(SuiteTest, ConcurrentWritersAndReadersKeepEveryName) {
    auto suite = Suite::makeInMemory();
    std::atomic<int> observed{0};
    suite->addObserver("t0-99", {}, [&](const SuiteChange&) { ++observed; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                const QString name = QStringLiteral("t%1-%2").arg(t).arg(i);
                suite->setObject(name, StoredObject(std::int64_t{i}));
                (void)suite->object(QStringLiteral("t0-%1").arg(i));
                (void)suite->dictionaryRepresentation();
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(suite->persistentDomain().size(), 400u);
    EXPECT_EQ(observed.load(), 1);
}

} // namespace
