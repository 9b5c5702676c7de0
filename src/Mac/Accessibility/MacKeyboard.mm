#include "Mac/Accessibility/MacKeyboard.h"

#include <ApplicationServices/ApplicationServices.h>
#include <Foundation/Foundation.h>

#include <optional>
#include <vector>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

namespace {

static_assert(KeyFlag::shift == kCGEventFlagMaskShift);
static_assert(KeyFlag::command == kCGEventFlagMaskCommand);

// The UTF-16 the events carry; nullopt for text that is not UTF-8.
std::optional<std::vector<UniChar>> utf16(const std::string& characters) {
  NSString* string = nsString(characters);
  if (!string) return std::nullopt;
  auto text = (__bridge CFStringRef)string;
  std::vector<UniChar> units(CFStringGetLength(text));
  CFStringGetCharacters(text, CFRangeMake(0, units.size()), units.data());
  return units;
}

// nullptr when the platform could not make the event.
id keyEvent(CGEventSourceRef source, const KeyStroke& stroke, const std::vector<UniChar>& units,
            bool keyDown) {
  id event = (__bridge_transfer id)CGEventCreateKeyboardEvent(source, stroke.virtualKey, keyDown);
  if (!event) return nullptr;
  auto platformEvent = (__bridge CGEventRef)event;
  CGEventSetFlags(platformEvent, stroke.flags);
  if (!units.empty()) CGEventKeyboardSetUnicodeString(platformEvent, units.size(), units.data());
  return event;
}

}  // namespace

bool MacKeyboard::post(const KeyStroke& stroke) {
  auto units = utf16(stroke.characters);
  if (!units) return false;
  id source = (__bridge_transfer id)CGEventSourceCreate(kCGEventSourceStateHIDSystemState);
  if (!source) return false;
  auto platformSource = (__bridge CGEventSourceRef)source;
  id down = keyEvent(platformSource, stroke, *units, /*keyDown=*/true);
  id up = keyEvent(platformSource, stroke, *units, /*keyDown=*/false);
  if (!down || !up) return false;
  CGEventPost(kCGHIDEventTap, (__bridge CGEventRef)down);
  CGEventPost(kCGHIDEventTap, (__bridge CGEventRef)up);
  return true;
}

}  // namespace varnelo::mac
