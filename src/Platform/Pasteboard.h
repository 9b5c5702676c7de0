// The general pasteboard (NSPasteboard.general), as far as the system uses it: one plain
// string. A write is accepted only after this process has cleared the pasteboard and no
// other application has changed it since; a refused write answers false. Main thread only.
#pragma once

#include <optional>
#include <string>

namespace varnelo {

class Pasteboard {
 public:
  virtual ~Pasteboard() = default;
  // Empties the pasteboard and makes this process its owner until another one writes.
  virtual void clearContents() = 0;
  // Puts the text on as the plain-string type; false when this process does not own it.
  virtual bool setString(const std::string& text) = 0;
  // Absent when the pasteboard holds no plain string.
  virtual std::optional<std::string> string() const = 0;
};

}  // namespace varnelo
