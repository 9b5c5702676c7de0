// Picks one application bundle with NSOpenPanel, run modally after the program activates
// itself. An answer only when the person confirms and the panel has a URL; cancelling,
// or a start directory that is not UTF-8 text (the panel then opens where it last was),
// changes nothing else. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <optional>
#include <string>

#include "Platform/ApplicationChooser.h"

namespace varnelo::mac {

class MacApplicationChooser final : public ApplicationChooser {
 public:
  std::optional<std::string> chooseApplication(const ApplicationChoiceRequest& request) override;
};

}  // namespace varnelo::mac
