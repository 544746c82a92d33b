#pragma once

namespace zendra::x11 {

// Whether a compositing manager runs on the X server of $DISPLAY (someone owns the _NET_WM_CM_S<n>
// selection of the default screen). False without a server.
bool isCompositingManagerRunning();

} // namespace zendra::x11
