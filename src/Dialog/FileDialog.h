// What the dialog observer reports about another application's open or save dialog.
// Plain value; any thread.
#pragma once

#include <optional>
#include <string>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"
#include "Platform/Url.h"

namespace varnelo {

struct FileDialog {
  // A sheet, a dialog window or a standard window.
  AXElement element;
  // Accessibility coordinates; all zero when position or size could not be read.
  Rect frame;
  std::optional<Url> currentDirectory;
  // Only without a current directory: what the folder pop-up shows.
  std::optional<std::string> displayName;
  bool operator==(const FileDialog&) const = default;
};

}  // namespace varnelo
