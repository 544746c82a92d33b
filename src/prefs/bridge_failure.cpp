#include "prefs/top_level_codable_bridge.h"

#include <iostream>

namespace zendra::Prefs {

void printBridgeFailure(const std::string& description) {
    std::cout << description << std::endl;
}

} // namespace zendra::Prefs
