#include "prefs/prefs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <unordered_map>
#include <vector>

using namespace zendra;

namespace collections {

struct Task {
    QString title;
    bool done = false;
    bool operator==(const Task&) const = default;
};
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(Task, title, done)

// A collection constructed from a vector of its elements.
class Playlist {
public:
    Playlist() = default;
    explicit Playlist(std::vector<QUuid> songs) : songs_(std::move(songs)) {}
    auto begin() const { return songs_.begin(); }
    auto end() const { return songs_.end(); }
    bool operator==(const Playlist&) const = default;

private:
    std::vector<QUuid> songs_;
};

// A set of options: membership, a list of its members, construction from one.
class Weekdays {
public:
    using Element = QString;
    Weekdays() = default;
    explicit Weekdays(std::vector<QString> days) : days_(std::move(days)) {}
    bool contains(const QString& day) const {
        return std::find(days_.begin(), days_.end(), day) != days_.end();
    }
    std::vector<QString> toArray() const { return days_; }
    bool operator==(const Weekdays&) const = default;

private:
    std::vector<QString> days_;
};

enum class Pane { general, appearance };

} // namespace collections

template <>
struct Prefs::RawRepresentation<collections::Pane>
    : Prefs::RawCases<Prefs::RawRepresentation<collections::Pane>, collections::Pane, QString> {
    static const auto& cases() {
        static const std::vector<std::pair<collections::Pane, QString>> table{
            {collections::Pane::general, "general"}, {collections::Pane::appearance, "appearance"}};
        return table;
    }
};

namespace {

using namespace collections;
using Prefs::StoredArray;
using Prefs::StoredDictionary;
using Prefs::StoredObject;

const QUuid first("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}");
const QUuid second("{6BA7B811-9DAD-11D1-80B4-00C04FD430C8}");

struct CollectionBridgeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(CollectionBridgeTest, ArrayKeepsTheEntriesThatStillRead) {
    Prefs::Key<std::vector<Task>> tasks("tasks", {}, suite);
    Prefs::set(tasks, {{"write", false}, {"ship", true}, {"rest", false}});
    const auto object = suite->object("tasks");
    const StoredArray* stored = object ? object->array() : nullptr;
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->size(), 3u);
    EXPECT_TRUE((*stored)[0].string()) << "each element is the JSON text of one task";

    StoredArray damaged = *stored;
    damaged[1] = StoredObject("{\"title\": ");
    suite->setObject("tasks", StoredObject(damaged));
    EXPECT_EQ(Prefs::get(tasks), (std::vector<Task>{{"write", false}, {"rest", false}}));

    // An entry of another stored kind than the element's makes the whole array unreadable.
    damaged[1] = StoredObject(5);
    suite->setObject("tasks", StoredObject(damaged));
    EXPECT_TRUE(Prefs::get(tasks).empty());
}

TEST_F(CollectionBridgeTest, ArraysOfNativeValuesAreStoredDirectly) {
    Prefs::Key<std::vector<std::optional<double>>> sizes("sizes", {}, suite);
    Prefs::set(sizes, {1.5, std::nullopt, 3.0});
    EXPECT_EQ(suite->object("sizes"), StoredObject(StoredArray{1.5, 3.0}))
        << "empty optionals have no stored form";

    Prefs::Key<std::vector<QString>> names("names", {"default"}, suite);
    suite->setObject("names", StoredObject(StoredArray{"a", 1}));
    EXPECT_EQ(Prefs::get(names), std::vector<QString>{"default"}) << "one element of another kind: no array";
}

TEST_F(CollectionBridgeTest, SetsAreArraysAndDuplicatesCollapse) {
    Prefs::Key<std::set<QString>> tags("tags", {}, suite);
    Prefs::set(tags, {"b", "a"});
    EXPECT_EQ(suite->object("tags"), StoredObject(StoredArray{"a", "b"}));

    suite->setObject("tags", StoredObject(StoredArray{"x", "y", "x"}));
    EXPECT_EQ(Prefs::get(tags), (std::set<QString>{"x", "y"}));

    Prefs::Key<std::set<QUuid>> uuids("uuids", {}, suite);
    suite->setObject("uuids", StoredObject(StoredArray{"not a uuid", Prefs::uuidText(first)}));
    EXPECT_EQ(Prefs::get(uuids), std::set<QUuid>{first}) << "unreadable element dropped silently";
}

TEST_F(CollectionBridgeTest, CollectionAndSetAlgebraTypesRoundTripAsArrays) {
    Prefs::Key<Playlist> playlist("playlist", {}, suite);
    Prefs::set(playlist, Playlist({second, first}));
    EXPECT_EQ(suite->object("playlist"),
              StoredObject(StoredArray{Prefs::uuidText(second), Prefs::uuidText(first)}));
    EXPECT_EQ(Prefs::get(playlist), Playlist({second, first}));

    Prefs::Key<Weekdays> days("days", {}, suite);
    Prefs::set(days, Weekdays({"tue", "mon"}));
    EXPECT_EQ(suite->object("days"), StoredObject(StoredArray{"tue", "mon"}));
    suite->setObject("days", StoredObject(StoredArray{"sun", "sat"}));
    EXPECT_EQ(Prefs::get(days), Weekdays({"sun", "sat"}));
    suite->setObject("days", StoredObject("sun"));
    EXPECT_EQ(Prefs::get(days), Weekdays()) << "not an array: the default";
}

TEST_F(CollectionBridgeTest, IntegerKeysAreDecimalTextAndOtherTextIsSkipped) {
    Prefs::Key<std::map<int, QString>> names("names", {}, suite);
    Prefs::set(names, {{-3, "minus"}, {42, "answer"}});
    EXPECT_EQ(suite->object("names"), StoredObject(StoredDictionary{{"-3", "minus"}, {"42", "answer"}}));

    suite->setObject("names", StoredObject(StoredDictionary{{"7", "kept"},
                                                            {"+8", "signed"},
                                                            {"x", "skipped"},
                                                            {" 9", "skipped"},
                                                            {"10a", "skipped"},
                                                            {"99999999999", "out of range"},
                                                            {"11", 5}}));
    EXPECT_EQ(Prefs::get(names), (std::map<int, QString>{{7, "kept"}, {8, "signed"}}))
        << "non-numbers, padding, overflow and values of another kind are left out";

    Prefs::Key<std::unordered_map<std::uint8_t, double>> levels("levels", {}, suite);
    suite->setObject("levels", StoredObject(StoredDictionary{{"255", 1.0}, {"256", 2.0}, {"-1", 3.0}}));
    EXPECT_EQ(Prefs::get(levels), (std::unordered_map<std::uint8_t, double>{{255, 1.0}}));
}

TEST_F(CollectionBridgeTest, RawValuedKeysAndBridgedValues) {
    const QUuid& id = first;
    Prefs::Key<std::map<Pane, QUuid>> panes("panes", {}, suite);
    Prefs::set(panes, {{Pane::appearance, id}});
    EXPECT_EQ(suite->object("panes"), StoredObject(StoredDictionary{{"appearance", Prefs::uuidText(id)}}));

    suite->setObject("panes", StoredObject(StoredDictionary{{"general", Prefs::uuidText(id)},
                                                            {"about", Prefs::uuidText(id)},
                                                            {"appearance", "not a uuid"}}));
    EXPECT_EQ(Prefs::get(panes), (std::map<Pane, QUuid>{{Pane::general, id}}));

    // String keys with bridged values go through the same rule.
    Prefs::Key<std::map<QString, QUuid>> byName("byName", {}, suite);
    Prefs::set(byName, {{"main", id}});
    EXPECT_EQ(suite->object("byName"), StoredObject(StoredDictionary{{"main", Prefs::uuidText(id)}}));
    EXPECT_EQ(Prefs::get(byName), (std::map<QString, QUuid>{{"main", id}}));

    // String keys and native values: the dictionary itself is stored.
    Prefs::Key<std::map<QString, double>> sizes("sizes", {}, suite);
    Prefs::set(sizes, {{"title", 13.0}});
    EXPECT_EQ(suite->object("sizes"), StoredObject(StoredDictionary{{"title", 13.0}}));

    // When the direct read fails, entries are read one by one and unreadable ones are left out.
    suite->setObject("sizes", StoredObject(StoredDictionary{{"a", 1.0}, {"b", "2.5"}, {"c", "big"}}));
    EXPECT_EQ(Prefs::get(sizes), (std::map<QString, double>{{"a", 1.0}, {"b", 2.5}}));
}

} // namespace
