#include "prefs/prefs.h"
#include "prefs/widget/event_loop.h"
#include "prefs/widgets/pref.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

using namespace zendra;

namespace {

using zendra::test::runQueuedEvents;

// A widget that renders one setting and counts its paints.
class TextRow : public QWidget {
public:
    TextRow(Prefs::Key<QString> key)
        : text(std::move(key), this, [this] { rendered.push_back(text.value()); }) {
        resize(40, 20);
    }
    int paints = 0;
    std::vector<QString> rendered;
    Prefs::Pref<QString> text;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct PrefTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> key{"text", "default", suite};
};

TEST_F(PrefTest, RendersOnceAfterCreationAndAfterEveryWriteFromAnywhere) {
    TextRow row(key);
    row.show();
    runQueuedEvents();
    EXPECT_EQ(row.rendered, (std::vector<QString>{"default"}));

    std::thread([&] { Prefs::set(key, QString("from a worker")); }).join();
    const int paintsBefore = row.paints;
    runQueuedEvents();
    ASSERT_EQ(row.rendered.size(), 2u);
    EXPECT_EQ(row.rendered.back(), "from a worker");
    EXPECT_GT(row.paints, paintsBefore) << "the owner was asked to repaint";

    suite->setObject("text", Prefs::StoredObject(QString("direct")));
    runQueuedEvents();
    EXPECT_EQ(row.rendered.back(), "direct") << "a direct write to the suite re-renders too";

    row.rendered.clear();
    row.text.setValue("mine");
    EXPECT_EQ(Prefs::get(key), "mine");
    runQueuedEvents();
    ASSERT_FALSE(row.rendered.empty());
    for (const auto& value : row.rendered) {
        EXPECT_EQ(value, "mine") << "its own write renders the new value, never the old one";
    }
}

TEST_F(PrefTest, DefaultValueMeansEqualToTheDefaultAndResetRemovesTheEntry) {
    QWidget owner;
    Prefs::Pref<QString> text(key, &owner);
    text.setValue("default");
    EXPECT_TRUE(text.isDefaultValue()) << "equal to the default, though stored";
    ASSERT_TRUE(suite->hasPersistentEntry("text"));
    text.reset();
    EXPECT_FALSE(suite->hasPersistentEntry("text"));
}

TEST_F(PrefTest, OutlivingItsOwnerOrDyingWithRendersPendingIsSafe) {
    auto owner = std::make_unique<QWidget>();
    int renders = 0;
    Prefs::Pref<QString> survivor(key, owner.get(), [&] { ++renders; });
    owner.reset();
    runQueuedEvents();
    EXPECT_EQ(renders, 1) << "the callback still runs without an owner";

    {
        QWidget other;
        Prefs::Pref<QString> doomed(key, &other, [&] { ++renders; });
        Prefs::set(key, QString("pending"));
    }
    runQueuedEvents();
    EXPECT_EQ(renders, 2) << "only the survivor rendered the pending change";
}

} // namespace
