// The displays through NSScreen, in its own coordinates (origin at the bottom-left corner of
// the primary screen, y upward), which the port also uses. Read afresh on every call; never
// fails. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <optional>
#include <vector>

#include "Platform/Screens.h"

namespace varnelo::mac {

class MacScreens final : public Screens {
 public:
  std::vector<Screen> screens() override;
  std::optional<Screen> mainScreen() override;
};

}  // namespace varnelo::mac
