#include "prefs/prefs.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

using namespace zendra;

namespace {

using Prefs::StoredObject;

struct KeyAccessTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(KeyAccessTest, DefaultsRegisterAndEmptyWritesRemoveTheEntry) {
    Prefs::Key<double> size("textSize", 13.0, suite);
    EXPECT_EQ(suite->object("textSize"), StoredObject(13.0)) << "default visible to direct readers";
    EXPECT_FALSE(suite->hasPersistentEntry("textSize"));
    Prefs::set(size, 20.0);
    size.reset();
    EXPECT_EQ(Prefs::get(size), 13.0);
    Prefs::set(size, 13.0);
    EXPECT_TRUE(suite->hasPersistentEntry("textSize")) << "a value equal to the default is still stored";

    Prefs::Key<std::optional<double>> width("maximumWidth", suite);
    EXPECT_FALSE(suite->object("maximumWidth")) << "an optional key registers nothing";
    Prefs::set(width, std::optional<double>(4.0));
    EXPECT_EQ(suite->object("maximumWidth"), StoredObject(4.0)) << "optional double stored as the number";
    Prefs::set(width, std::optional<double>());
    EXPECT_FALSE(suite->hasPersistentEntry("maximumWidth"));

    Prefs::Key<std::optional<QString>> withDefault("prefix", QString("»"), suite);
    Prefs::set(withDefault, std::optional<QString>());
    EXPECT_EQ(Prefs::get(withDefault), QString("»")) << "after removal the default reads again";
}

TEST_F(KeyAccessTest, NativeReadsConvertNumbersAndJsonText) {
    Prefs::Key<double> number("n", 1.0, suite);
    suite->setObject("n", StoredObject(QString("abc")));
    EXPECT_EQ(Prefs::get(number), 1.0);
    suite->setObject("n", StoredObject(QString("2.5")));
    EXPECT_EQ(Prefs::get(number), 2.5);
    suite->setObject("n", StoredObject(std::int64_t{7}));
    EXPECT_EQ(Prefs::get(number), 7.0);

    Prefs::Key<bool> flag("b", false, suite);
    suite->setObject("b", StoredObject(std::int64_t{1}));
    EXPECT_TRUE(Prefs::get(flag));
    suite->setObject("b", StoredObject(QString("true")));
    EXPECT_TRUE(Prefs::get(flag));
    suite->setObject("b", StoredObject(std::int64_t{2}));
    EXPECT_FALSE(Prefs::get(flag)) << "2 is no boolean: the default";

    Prefs::Key<std::int8_t> small("i8", 3, suite);
    suite->setObject("i8", StoredObject(std::int64_t{300}));
    EXPECT_EQ(Prefs::get(small), 3) << "out of range reads the default";
    suite->setObject("i8", StoredObject(2.5));
    EXPECT_EQ(Prefs::get(small), 3) << "a fraction is not an integer";
    suite->setObject("i8", StoredObject(-4.0));
    EXPECT_EQ(Prefs::get(small), -4);

    Prefs::Key<QString> text("text", "", suite);
    suite->setObject("text", StoredObject(std::int64_t{5}));
    EXPECT_EQ(Prefs::get(text), QString()) << "a number is not text, and 5 is no JSON string";
    suite->setObject("text", StoredObject(QString("\"quoted\"")));
    EXPECT_EQ(Prefs::get(text), QString("\"quoted\"")) << "a string reads as it is, never as JSON";
}

TEST_F(KeyAccessTest, ModifyWritesBackEvenWhenTheMutationThrows) {
    Prefs::Key<std::int64_t> count("count", 0, suite);
    Prefs::modify(count, [](std::int64_t& value) { value += 2; });
    EXPECT_EQ(Prefs::get(count), 2);
    const auto throwing = [](std::int64_t& value) {
        value = 10;
        throw std::runtime_error("stop");
    };
    EXPECT_THROW(Prefs::modify(count, throwing), std::runtime_error);
    EXPECT_EQ(Prefs::get(count), 10);
}

TEST_F(KeyAccessTest, KeysAreTheirNameInTheirSuiteForResetAndComparison) {
    auto other = Prefs::Suite::makeInMemory();
    Prefs::Key<QString> a("a", "", suite);
    Prefs::Key<QString> b("b", "", other);
    suite->setObject("b", StoredObject(QString("kept")));
    Prefs::set(a, QString("x"));
    Prefs::set(b, QString("y"));
    Prefs::reset(a, b);
    EXPECT_FALSE(suite->hasPersistentEntry("a"));
    EXPECT_FALSE(other->hasPersistentEntry("b"));
    EXPECT_TRUE(suite->hasPersistentEntry("b")) << "b belongs to the other suite";
    Prefs::reset(QStringList{"b"}, *suite);
    EXPECT_FALSE(suite->hasPersistentEntry("b"));

    // Entries no key knows go too.
    Prefs::set(a, QString("task"));
    suite->setObject("Hotkeys_toggleEditWindow", StoredObject(QString("{}")));
    Prefs::removeAll(*suite);
    EXPECT_TRUE(suite->persistentDomain().empty());

    const Prefs::Key<double> sameName("a", 0.0, suite);
    EXPECT_EQ(static_cast<const Prefs::Keys&>(a), sameName);
    EXPECT_EQ(std::hash<Prefs::Keys>{}(a), std::hash<Prefs::Keys>{}(sameName));
    EXPECT_FALSE(static_cast<const Prefs::Keys&>(a) == Prefs::Key<QString>("a", "", other));
}

} // namespace
