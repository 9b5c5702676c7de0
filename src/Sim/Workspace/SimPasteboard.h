// The simulated general pasteboard: Varnelo's writes and other applications' copies, with
// the ownership rule of a Mac (a write counts only after a clear that no other
// application's change has followed; NSPasteboard's documentation asks writers to clear
// first, the refusal is inferred). Never fails otherwise. Main thread only.
//
// Limits: plain strings only, one item; no change count, no other types, no promised
// data, no pasteboards besides the general one.
#pragma once

#include <optional>
#include <string>

#include "Platform/Pasteboard.h"

namespace varnelo::sim {

class SimPasteboard final : public Pasteboard {
 public:
  void clearContents() override;
  bool setString(const std::string& text) override;
  std::optional<std::string> string() const override;

  // Another application copies the text: it replaces the contents and ends Varnelo's
  // ownership.
  void copyFromOtherApplication(const std::string& text);

 private:
  std::optional<std::string> text_;
  bool ownedByVarnelo_ = false;
};

}  // namespace varnelo::sim
