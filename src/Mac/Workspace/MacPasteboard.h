// The general pasteboard through NSPasteboard. Ownership is the change count that
// clearContents() answered: a write is accepted only while the pasteboard still has it, so
// one made after another application's copy (or before any clear) answers false, as does
// text that is not UTF-8. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <optional>
#include <string>

#include "Platform/Pasteboard.h"

namespace varnelo::mac {

class MacPasteboard final : public Pasteboard {
 public:
  void clearContents() override;
  bool setString(const std::string& text) override;
  std::optional<std::string> string() const override;

 private:
  std::optional<long> ownChangeCount_;  // NSInteger
};

}  // namespace varnelo::mac
