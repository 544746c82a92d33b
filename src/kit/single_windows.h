#pragma once

#include "kit/desktop_effects.h"
#include "kit/singleton_window_controller.h"

#include <concepts>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <utility>

namespace zendra::KZApp {

// The one instance of each singleton window controller class, and their presentation: the window is
// shown, raised and (for controllers that ask for it) activated; a window that was not on screen fades
// in from transparent over fadeInMilliseconds where a compositor runs, else it simply appears.
// Presenting a window that is on screen brings it forward. Main thread only; the controllers and their
// windows live as long as this object.
class SingleWindows {
public:
    enum class Presentation { plain, fadeIn };

    explicit SingleWindows(std::shared_ptr<const DesktopEffects> effects = {});
    ~SingleWindows();
    SingleWindows(const SingleWindows&) = delete;
    SingleWindows& operator=(const SingleWindows&) = delete;

    // The instance of `Controller`, made from `arguments` on the first request (later requests ignore
    // them).
    template <std::derived_from<SingletonWindowController> Controller, class... Arguments>
    Controller& controller(Arguments&&... arguments) {
        auto& slot = controllers_[std::type_index(typeid(Controller))];
        if (!slot) {
            slot = std::make_unique<Controller>(std::forward<Arguments>(arguments)...);
        }
        return static_cast<Controller&>(*slot);
    }

    // The instance of `Controller` if one was made.
    template <std::derived_from<SingletonWindowController> Controller> Controller* existing() const {
        const auto found = controllers_.find(std::type_index(typeid(Controller)));
        return found == controllers_.end() ? nullptr : static_cast<Controller*>(found->second.get());
    }

    // controller<Controller>(arguments...), then present() it.
    template <std::derived_from<SingletonWindowController> Controller, class... Arguments>
    Controller& show(Presentation presentation, Arguments&&... arguments) {
        Controller& instance = controller<Controller>(std::forward<Arguments>(arguments)...);
        present(instance, presentation);
        return instance;
    }

    void present(SingletonWindowController& controller, Presentation presentation);

    const DesktopEffects& effects() const { return *effects_; }

    static constexpr int fadeInMilliseconds = 500;

private:
    std::shared_ptr<const DesktopEffects> effects_;
    std::unordered_map<std::type_index, std::unique_ptr<SingletonWindowController>> controllers_;
};

} // namespace zendra::KZApp
