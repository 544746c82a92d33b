#include "base/lifetime_association.h"

#include <QObject>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

using zendra::LifetimeAssociation;

struct Watched {
    explicit Watched(int& destroyed) : destroyed(destroyed) {}
    ~Watched() { ++destroyed; }
    int& destroyed;
};

TEST(LifetimeAssociationTest, OwnerKeepsTheObjectAndRunsTheHandlerWhenDestroyed) {
    int destroyed = 0;
    int handled = 0;
    bool aliveDuringHandler = false;
    auto owner = std::make_unique<QObject>();
    std::weak_ptr<Watched> weak;
    LifetimeAssociation association;
    {
        auto object = std::make_shared<Watched>(destroyed);
        weak = object;
        association = LifetimeAssociation(owner.get(), object, [&] {
            ++handled;
            aliveDuringHandler = !weak.expired();
        });
    }
    EXPECT_EQ(destroyed, 0) << "the owner holds the object";
    EXPECT_TRUE(association.isActive());

    owner.reset();
    EXPECT_EQ(handled, 1);
    EXPECT_TRUE(aliveDuringHandler) << "the object is released after its handler ran";
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(association.isActive());
    association.cancel(); // after the owner went: harmless
}

TEST(LifetimeAssociationTest, CancelReleasesTheObjectAndDisarmsTheHandler) {
    int destroyed = 0;
    int handled = 0;
    QObject owner;
    {
        LifetimeAssociation association(&owner, std::make_shared<Watched>(destroyed), [&] { ++handled; });
        ASSERT_EQ(owner.children().size(), 1);
        association.cancel();
        EXPECT_EQ(destroyed, 1);
        EXPECT_TRUE(owner.children().isEmpty()) << "the tracker leaves the owner";
    }
    {
        LifetimeAssociation scoped(&owner, std::make_shared<Watched>(destroyed), [&] { ++handled; });
    }
    EXPECT_EQ(destroyed, 2) << "destroying the association cancels it";

    LifetimeAssociation elsewhere(&owner, std::make_shared<Watched>(destroyed), [&] { ++handled; });
    std::thread([&] { elsewhere.cancel(); }).join();
    EXPECT_EQ(destroyed, 3) << "a cancel from another thread releases the object too";
    EXPECT_EQ(handled, 0);
}

TEST(LifetimeAssociationTest, HandlerMayCancelAssociationsOfTheSameOwner) {
    int destroyed = 0;
    auto owner = std::make_unique<QObject>();
    LifetimeAssociation first;
    LifetimeAssociation second;
    int handled = 0;
    first = LifetimeAssociation(owner.get(), std::make_shared<Watched>(destroyed), [&] {
        ++handled;
        first.cancel();  // itself, while its tracker is being destroyed
        second.cancel(); // a sibling tracker the owner has not reached yet
    });
    second = LifetimeAssociation(owner.get(), std::make_shared<Watched>(destroyed), [&] { ++handled; });
    owner.reset();
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(destroyed, 2);
}

TEST(LifetimeAssociationTest, WithoutAUsableOwnerNothingIsHeld) {
    int destroyed = 0;
    LifetimeAssociation none(nullptr, std::make_shared<Watched>(destroyed), [] {});
    EXPECT_FALSE(none.isActive());
    EXPECT_EQ(destroyed, 1);

    QObject owner;
    std::thread([&] {
        LifetimeAssociation foreign(&owner, std::make_shared<Watched>(destroyed), [] {});
        EXPECT_FALSE(foreign.isActive()) << "an owner of another thread is refused";
    }).join();
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(owner.children().isEmpty());
}

} // namespace
