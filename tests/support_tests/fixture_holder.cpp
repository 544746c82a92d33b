#include "support/session_bus.h"
#include "support/xvfb_server.h"

#include <exception>
#include <iostream>
#include <unistd.h>

int main() {
    try {
        const zendra::test::XvfbServer display;
        const zendra::test::SessionBus bus;
        std::cout << display.pid() << ' ' << bus.pid() << std::endl;
        for (;;) {
            pause();
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
