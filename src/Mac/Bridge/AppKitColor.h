// Colours between the program's values and AppKit: a named system colour becomes AppKit's own,
// a light and dark pair a colour AppKit resolves for the appearance it is drawn in, so that
// neither needs setting again when the appearance changes. Objective-C++ only.
#pragma once

#include <AppKit/AppKit.h>

#include <variant>

#include "Support/ColorValue.h"

namespace varnelo::mac {

inline NSColor* nsColor(SystemColor color) {
  switch (color) {
    case SystemColor::accent:
      return NSColor.controlAccentColor;
    case SystemColor::blue:
      return NSColor.systemBlueColor;
    case SystemColor::purple:
      return NSColor.systemPurpleColor;
    case SystemColor::red:
      return NSColor.systemRedColor;
    case SystemColor::orange:
      return NSColor.systemOrangeColor;
    case SystemColor::yellow:
      return NSColor.systemYellowColor;
    case SystemColor::green:
      return NSColor.systemGreenColor;
    case SystemColor::gray:
      return NSColor.systemGrayColor;
    case SystemColor::label:
      return NSColor.labelColor;
    case SystemColor::secondaryLabel:
      return NSColor.secondaryLabelColor;
    case SystemColor::tertiaryLabel:
      return NSColor.tertiaryLabelColor;
    case SystemColor::windowBackground:
      return NSColor.windowBackgroundColor;
  }
  return NSColor.labelColor;
}

inline NSColor* nsColor(const Rgba& rgba) {
  return [NSColor colorWithSRGBRed:rgba.red green:rgba.green blue:rgba.blue alpha:rgba.alpha];
}

inline NSColor* nsColor(const AppearanceColor& color) {
  // A block captures a reference as a reference; the pair must outlive this call.
  const AppearanceColor pair = color;
  return [NSColor
        colorWithName:nil
      dynamicProvider:^NSColor*(NSAppearance* appearance) {
        NSAppearanceName match = [appearance
            bestMatchFromAppearancesWithNames:@[ NSAppearanceNameAqua, NSAppearanceNameDarkAqua ]];
        const bool dark = [match isEqualToString:NSAppearanceNameDarkAqua];
        return nsColor(dark ? pair.dark : pair.light);
      }];
}

inline NSColor* nsColor(const ColorValue& color) {
  return std::visit([](const auto& value) { return nsColor(value); }, color);
}

}  // namespace varnelo::mac
