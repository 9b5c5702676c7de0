// The standard editing shortcuts (cut, copy, paste, select all, undo, redo) for Varnelo's
// own windows, which a menu-bar application without an Edit menu would otherwise lack.
// A key that is no such shortcut is not handled and goes on to the window.
// Stateless; main thread (inside event dispatch).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace varnelo::EditingKeyEquivalents {

// NSEvent's device-independent modifier bits.
namespace Modifier {
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t deviceIndependentMask = 0xffff0000;
}  // namespace Modifier

struct KeyEvent {
  bool isKeyDown = true;
  // Absent when the event carries no characters.
  std::optional<std::string> charactersIgnoringModifiers;
  std::uint64_t modifierFlags = 0;
};

// The action selector the shortcut sends ("copy:"), if it is one.
std::optional<std::string> actionFor(const KeyEvent& event);
// Sends the action to the first responder; the answer is whether it was handled.
bool handle(const KeyEvent& event, const std::function<bool(const std::string& action)>& send);

}  // namespace varnelo::EditingKeyEquivalents
