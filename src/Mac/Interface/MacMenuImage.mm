#include "Mac/Interface/MacMenuImage.h"

#include <algorithm>
#include <string>

#include "Mac/Bridge/AppKitColor.h"
#include "Mac/Bridge/FoundationText.h"
#include "Support/AccentPreset.h"

namespace varnelo::mac {
namespace {

// A resized copy: AppKit may hand the same image object to others.
NSImage* sized(NSImage* image, double points) {
  if (!image) return nil;
  NSImage* copy = [image copy];
  const NSSize size = copy.size;
  const CGFloat longer = std::max(size.width, size.height);
  if (longer <= 0) return copy;
  const CGFloat scale = points / longer;
  copy.size = NSSize{size.width * scale, size.height * scale};
  return copy;
}

NSImage* symbol(const std::string& name, double points) {
  NSString* string = nsString(name);
  if (!string) return nil;
  return sized([NSImage imageWithSystemSymbolName:string accessibilityDescription:nil], points);
}

// Drawn each time it is shown, so the system colours follow the menu's appearance.
NSImage* swatch(const std::string& raw, double points) {
  const auto preset = accentPresetFromRawValue(raw);
  if (!preset) return nil;
  NSColor* fill = nsColor(color(*preset));
  const CGFloat radius = points / 4;
  return [NSImage imageWithSize:NSSize{points, points}
                        flipped:NO
                 drawingHandler:^BOOL(NSRect rect) {
                   [fill setFill];
                   [[NSBezierPath bezierPathWithRoundedRect:NSInsetRect(rect, 1, 1)
                                                    xRadius:radius
                                                    yRadius:radius] fill];
                   return YES;
                 }];
}

NSImage* applicationIcon(const std::string& path, double points) {
  NSString* string = path.empty() ? nil : nsString(path);
  if (!string) return nil;
  return sized([NSWorkspace.sharedWorkspace iconForFile:string], points);
}

}  // namespace

NSImage* menuImage(const MenuImage& image) {
  if (image.points <= 0) return nil;
  switch (image.kind) {
    case MenuImage::Kind::none:
      return nil;
    case MenuImage::Kind::symbol:
      return symbol(image.name, image.points);
    case MenuImage::Kind::swatch:
      return swatch(image.name, image.points);
    case MenuImage::Kind::applicationIcon:
      return applicationIcon(image.name, image.points);
  }
  return nil;
}

}  // namespace varnelo::mac
