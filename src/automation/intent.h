#pragma once

// Automation requests that reach the running application, and the objects that carry them out.

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

namespace zendra {

class Intent {
public:
    virtual ~Intent() = default;
};

class IntentHandler {
public:
    virtual ~IntentHandler() = default;
};

// Which handler serves which kind of intent. Each request gets a handler object of its own.
class IntentRoutes {
public:
    using Factory = std::function<std::unique_ptr<IntentHandler>()>;

    template <class IntentType> void add(Factory factory) {
        factories_[std::type_index(typeid(IntentType))] = std::move(factory);
    }

    // A fresh handler for the intent's kind; none for a kind nobody serves.
    std::unique_ptr<IntentHandler> handlerFor(const Intent& intent) const {
        const auto it = factories_.find(std::type_index(typeid(intent)));
        return it == factories_.end() ? nullptr : it->second();
    }

private:
    std::unordered_map<std::type_index, Factory> factories_;
};

} // namespace zendra
