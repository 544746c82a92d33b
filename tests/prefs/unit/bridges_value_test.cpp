#include "prefs/prefs.h"
#include "printed.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

using namespace zendra;

namespace {

using Prefs::AnySerializable;
using Prefs::StoredArray;
using Prefs::StoredDictionary;
using Prefs::StoredObject;
using zendra::test::printedBy;

struct ValueBridgeTest : testing::Test {
    std::shared_ptr<Prefs::Suite> suite = Prefs::Suite::makeInMemory();
};

TEST_F(ValueBridgeTest, UuidsAreCanonicalUpperCaseText) {
    const QUuid id("{6ba7b810-9dad-11d1-80b4-00c04fd430c8}");
    Prefs::Key<std::optional<QUuid>> key("id", suite);
    Prefs::set(key, std::optional<QUuid>(id));
    EXPECT_EQ(suite->object("id"), StoredObject("6BA7B810-9DAD-11D1-80B4-00C04FD430C8"));
    EXPECT_EQ(Prefs::get(key), id);

    suite->setObject("id", StoredObject("6ba7b810-9dad-11d1-80b4-00c04fd430c8"));
    EXPECT_EQ(Prefs::get(key), id) << "lower case reads too";
    suite->setObject("id", StoredObject("00000000-0000-0000-0000-000000000000"));
    EXPECT_EQ(Prefs::get(key), QUuid()) << "the nil UUID is a UUID";

    EXPECT_EQ(printedBy([&] {
                  for (const char* text :
                       {"{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}", "6BA7B8109DAD11D180B400C04FD430C8",
                        "6BA7B810-9DAD-11D1-80B4-00C04FD430CG", "6BA7B810-9DAD-11D1-80B4+00C04FD430C8", ""}) {
                      suite->setObject("id", StoredObject(text));
                      EXPECT_EQ(Prefs::get(key), std::nullopt) << text;
                  }
              }),
              "");
}

TEST_F(ValueBridgeTest, AnySerializableHoldsLiteralsComparesKindsAndConvertsOnGet) {
    const AnySerializable count = 5;
    const AnySerializable list = std::vector<AnySerializable>{1, "a", AnySerializable()};
    const AnySerializable table = std::map<QString, AnySerializable>{{"k", 2}};
    EXPECT_EQ(list.value(), StoredObject(StoredArray{1, "a"})) << "the empty tuple has no stored form";
    EXPECT_EQ(table.value(), StoredObject(StoredDictionary{{"k", 2}}));
    EXPECT_TRUE(AnySerializable().isNil());
    EXPECT_FALSE(AnySerializable(false).isNil());

    EXPECT_EQ(count.get<double>(), 5.0);
    EXPECT_EQ(count.get<QString>(), std::nullopt);
    EXPECT_EQ(list.get<std::vector<AnySerializable>>(), (std::vector<AnySerializable>{1, "a"}));
    EXPECT_EQ(AnySerializable().get<QString>(), std::nullopt);

    EXPECT_EQ(count, AnySerializable(std::int64_t{5}));
    EXPECT_NE(count, AnySerializable(std::uint64_t{5})) << "signed and unsigned are other kinds";
    EXPECT_NE(AnySerializable(1), AnySerializable(true));
    EXPECT_NE(AnySerializable(1), AnySerializable(1.0));
    EXPECT_NE(AnySerializable("5"), count);

    AnySerializable changing = 1;
    changing.set(QUuid("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}"));
    EXPECT_EQ(changing.value(), StoredObject("6BA7B810-9DAD-11D1-80B4-00C04FD430C8"));
    EXPECT_FALSE(printedBy([&] { changing.set(QUrl()); }).empty());
    EXPECT_TRUE(changing.isNil()) << "a failed serialization leaves the empty tuple";
}

TEST_F(ValueBridgeTest, AnySerializableKeysStoreTheHeldObjectUnchanged) {
    Prefs::Key<AnySerializable> any("any", AnySerializable(), suite);
    EXPECT_FALSE(suite->object("any")) << "the empty tuple registers nothing";

    Prefs::set(any, AnySerializable(std::vector<AnySerializable>{1, "two"}));
    EXPECT_EQ(suite->object("any"), StoredObject(StoredArray{1, "two"}));
    suite->setObject("any", StoredObject(QByteArray("raw")));
    EXPECT_EQ(Prefs::get(any).get<QByteArray>(), QByteArray("raw"));

    Prefs::set(any, AnySerializable());
    EXPECT_FALSE(suite->hasPersistentEntry("any"));
}

} // namespace
