// What the centre strip draws, as values: its eight buttons top to bottom with their
// symbols, captions, help texts in the process language and states, a button's opacities in
// each state, and the strip's dimensions by chrome. A press goes through here so that a
// disabled button refuses it as the drawn one would. Nothing fails. Main thread only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Overlay/CenterStripModel.h"
#include "Support/Metrics.h"

namespace varnelo {

struct StripButtonFace {
  StripButton button = StripButton::copyToRight;
  std::string_view symbol;  // the platform symbol name, e.g. "arrowtriangle.right.fill"
  std::optional<std::string_view> caption;
  std::string help;
  bool enabled = false;
  bool isOn = false;
};

namespace CenterStripPresentation {

inline constexpr double kButtonWidth = 36;
inline constexpr double kButtonHeight = 34;
inline constexpr double kButtonCornerRadius = 5;
inline constexpr double kGroupSpacing = 6;
inline constexpr double kDividerWidth = 30;
// The transfer group is the first four buttons, the pane group the last four.
inline constexpr std::size_t kTransferButtons = 4;

// Top to bottom.
std::array<StripButtonFace, 8> buttons(const CenterStripModel& model);
std::string help(StripButton button, bool sidebarHidden);
// The primary colour's opacity behind the button.
double backgroundOpacity(const StripButtonFace& face, bool hovered);
// The primary colour's opacity of the symbol and caption.
double foregroundOpacity(const StripButtonFace& face);
// How far the strip panel reaches past the seam on each side: room for the corner fills.
double sideAllowance(Metrics::WindowChrome chrome);
// Calls the button's callback; false, calling nothing, for a disabled button.
bool press(CenterStripModel& model, StripButton button);

}  // namespace CenterStripPresentation
}  // namespace varnelo
