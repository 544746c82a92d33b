#include "prefs/prefs.h"

#include <gtest/gtest.h>
#include <map>
#include <unordered_map>

namespace dictionaries {
enum class Pane { general, appearance };
}

template <>
struct Prefs::RawRepresentation<dictionaries::Pane>
    : Prefs::RawCases<Prefs::RawRepresentation<dictionaries::Pane>, dictionaries::Pane, QString> {
    static const auto& cases() {
        static const std::vector<std::pair<dictionaries::Pane, QString>> table{
            {dictionaries::Pane::general, "general"}, {dictionaries::Pane::appearance, "appearance"}};
        return table;
    }
};

namespace {

using namespace dictionaries;
using Prefs::StoredDictionary;
using Prefs::StoredObject;

struct DictionaryBridgeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(DictionaryBridgeTest, IntegerKeysAreDecimalTextAndOtherTextIsSkipped) {
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

TEST_F(DictionaryBridgeTest, RawValuedKeysAndBridgedValues) {
    const QUuid id("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}");
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
}

TEST_F(DictionaryBridgeTest, StringKeyedNativeDictionariesAreStoredDirectly) {
    Prefs::Key<std::map<QString, double>> sizes("sizes", {}, suite);
    Prefs::set(sizes, {{"title", 13.0}});
    EXPECT_EQ(suite->object("sizes"), StoredObject(StoredDictionary{{"title", 13.0}}));

    // When the direct read fails, entries are read one by one and unreadable ones are left out.
    suite->setObject("sizes", StoredObject(StoredDictionary{{"a", 1.0}, {"b", "2.5"}, {"c", "big"}}));
    EXPECT_EQ(Prefs::get(sizes), (std::map<QString, double>{{"a", 1.0}, {"b", 2.5}}));
}

} // namespace
