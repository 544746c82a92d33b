#pragma once

#include <functional>
#include <memory>

class QObject;

namespace zendra {

namespace detail {
struct LifetimeLink;
}

// Ties an object to the lifetime of a QObject owner. The owner carries a small tracker (a child
// QObject) that keeps `object` alive; when the owner is destroyed the tracker runs `ownerDestroyed`
// and then releases `object`. cancel() (also run by the destructor) replaces the handler with nothing
// and, while the owner lives, removes the tracker, which releases `object`.
//
// Make and cancel the association on the owner's thread. A cancel from another thread still disarms
// the handler and releases `object` at once; only the empty tracker then stays until the owner goes.
class LifetimeAssociation {
public:
    // An association that holds nothing.
    LifetimeAssociation() = default;
    // Without an owner, or when called on another thread than the owner's, nothing is associated:
    // isActive() is false and `object` is not kept.
    LifetimeAssociation(QObject* owner, std::shared_ptr<void> object, std::function<void()> ownerDestroyed);
    LifetimeAssociation(LifetimeAssociation&& other) noexcept;
    LifetimeAssociation& operator=(LifetimeAssociation&& other) noexcept;
    LifetimeAssociation(const LifetimeAssociation&) = delete;
    LifetimeAssociation& operator=(const LifetimeAssociation&) = delete;
    ~LifetimeAssociation();

    void cancel();

    // True while the owner lives and the association was neither cancelled nor fired.
    bool isActive() const;

private:
    std::shared_ptr<detail::LifetimeLink> link_;
};

} // namespace zendra
