// Asks the user to pick one application: an open panel for files only (no folders), one
// at a time, limited to applications, run modally after the program activates itself
// ignoring other applications. Failure or cancellation is an absent result. Main thread.
#pragma once

#include <optional>
#include <string>

namespace varnelo {

struct ApplicationChoiceRequest {
  std::string prompt;          // the confirming button's title
  std::string message;         // shown above the file list
  std::string startDirectory;  // where the panel opens
  bool operator==(const ApplicationChoiceRequest&) const = default;
};

class ApplicationChooser {
 public:
  virtual ~ApplicationChooser() = default;
  // The chosen application bundle's path.
  virtual std::optional<std::string> chooseApplication(const ApplicationChoiceRequest& request) = 0;
};

}  // namespace varnelo
