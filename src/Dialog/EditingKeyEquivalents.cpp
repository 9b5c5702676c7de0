#include "Dialog/EditingKeyEquivalents.h"

#include <algorithm>
#include <cctype>

namespace varnelo::EditingKeyEquivalents {

std::optional<std::string> actionFor(const KeyEvent& event) {
  if (!event.isKeyDown || !event.charactersIgnoringModifiers ||
      event.charactersIgnoringModifiers->empty())
    return std::nullopt;
  std::string key = *event.charactersIgnoringModifiers;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::uint64_t modifiers = event.modifierFlags & Modifier::deviceIndependentMask;
  if (modifiers == (Modifier::command | Modifier::shift)) {
    if (key == "z") return "redo:";
    return std::nullopt;
  }
  if (modifiers != Modifier::command) return std::nullopt;
  if (key == "x") return "cut:";
  if (key == "c") return "copy:";
  if (key == "v") return "paste:";
  if (key == "a") return "selectAll:";
  if (key == "z") return "undo:";
  return std::nullopt;
}

bool handle(const KeyEvent& event, const std::function<bool(const std::string& action)>& send) {
  auto action = actionFor(event);
  return action && send(*action);
}

}  // namespace varnelo::EditingKeyEquivalents
