#pragma once

// The XKB protocol header names a structure member `explicit`, a C++ keyword; it is renamed while the
// header is read. Include this instead of <xcb/xkb.h>.
#include <xcb/xcb.h>
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
