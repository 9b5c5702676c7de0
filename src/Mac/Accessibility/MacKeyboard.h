// Synthetic key strokes over CGEvent: per stroke a fresh event source in the HID system
// state, a key-down and a key-up carrying the stroke's flags and, when it has any, its
// characters, both posted at the HID tap. Nothing is posted unless both events were made.
// Main thread. Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/Keyboard.h"

namespace varnelo::mac {

class MacKeyboard final : public Keyboard {
 public:
  // False too for characters that are not UTF-8.
  bool post(const KeyStroke& stroke) override;
};

}  // namespace varnelo::mac
