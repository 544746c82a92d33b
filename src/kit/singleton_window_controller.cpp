#include "kit/singleton_window_controller.h"

namespace zendra::KZApp {

SingletonWindowController::~SingletonWindowController() = default;

} // namespace zendra::KZApp
