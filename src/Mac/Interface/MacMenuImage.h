// The images of the status menu's items: a system symbol, an accent preset's swatch or an
// application's icon, scaled to the value's side with their proportions kept. nil for
// Kind::none, an unknown symbol or preset, a side that is not positive, or a name that is
// not UTF-8 text; the item then shows no image. Main thread only. Objective-C++ only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <AppKit/AppKit.h>

#include "Platform/StatusItem.h"

namespace varnelo::mac {

NSImage* menuImage(const MenuImage& image);

}  // namespace varnelo::mac
