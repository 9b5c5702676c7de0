// The window dump: writes into the log ("probe"), side by side, what Finder's scripting
// says about its windows and what Varnelo tracks through accessibility, so that mismatches
// can be seen. It cannot fail: a failed window-list script is dumped as an empty list and
// whatever is unknown reads "?". Main thread only. Held by std::shared_ptr: the script's
// completion holds the dump weakly and does nothing once it is gone.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Platform/Geometry.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class WindowDump : public std::enable_shared_from_this<WindowDump> {
 public:
  // Borrows the bridge, which must outlive the dump.
  explicit WindowDump(FinderScripting& scripting);
  WindowDump(const WindowDump&) = delete;
  WindowDump& operator=(const WindowDump&) = delete;

  // Runs Finder's window-list script and logs its rows beside `tracked` as it is now;
  // later changes to the tracked records do not reach the dump.
  void dumpNow(const FinderWindows& tracked);

 private:
  FinderScripting& scripting_;
};

// "(100,50 800x600)", each value truncated to a whole number; a value that is not finite or
// lies beyond the 64-bit range reads "?".
std::string rectText(const Rect& rect);

}  // namespace varnelo
