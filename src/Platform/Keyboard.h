// Synthetic key events (CGEvent): each stroke is a key-down and a key-up made from a fresh
// event source and posted at the HID tap, so it reaches whichever application is frontmost
// when the system delivers it, not the one the poster had in mind. Main thread.
#pragma once

#include <cstdint>
#include <string>

namespace varnelo {

// CGEventFlags bits.
namespace KeyFlag {
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t command = 0x100000;
}  // namespace KeyFlag

// Virtual key codes (kVK_ANSI_A, kVK_ANSI_G, kVK_ANSI_W, kVK_ANSI_N, kVK_ANSI_Slash,
// kVK_Return, kVK_Space, kVK_Escape).
namespace VirtualKey {
inline constexpr std::uint16_t a = 0;
inline constexpr std::uint16_t g = 5;
inline constexpr std::uint16_t w = 13;
inline constexpr std::uint16_t returnKey = 36;
inline constexpr std::uint16_t slash = 44;
inline constexpr std::uint16_t n = 45;
inline constexpr std::uint16_t space = 49;
inline constexpr std::uint16_t escape = 53;
}  // namespace VirtualKey

struct KeyStroke {
  std::uint16_t virtualKey = 0;
  std::uint64_t flags = 0;
  // The Unicode string set on both events; empty: the key's own characters.
  std::string characters;
  bool operator==(const KeyStroke&) const = default;
};

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // False when the events could not be made; then nothing was posted.
  virtual bool post(const KeyStroke& stroke) = 0;
};

}  // namespace varnelo
