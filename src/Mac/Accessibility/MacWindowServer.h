// The window server's window list over CGWindowListCopyWindowInfo: each entry keeps the
// fields the port names (WindowKey), typed by what the platform put there; a field of
// another type, and a key the port does not name, is left out. A list the platform does
// not give (outside a GUI session) is nullopt. Any thread.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/WindowServer.h"

namespace varnelo::mac {

class MacWindowServer final : public WindowServer {
 public:
  std::optional<std::vector<WindowListEntry>> copyWindowInfo(std::uint32_t options,
                                                             WindowNumber relativeTo) override;
};

}  // namespace varnelo::mac
