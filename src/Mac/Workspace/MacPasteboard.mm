#include "Mac/Workspace/MacPasteboard.h"

#include <AppKit/AppKit.h>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

void MacPasteboard::clearContents() {
  ownChangeCount_ = [NSPasteboard.generalPasteboard clearContents];
}

bool MacPasteboard::setString(const std::string& text) {
  NSPasteboard* pasteboard = NSPasteboard.generalPasteboard;
  if (ownChangeCount_ != pasteboard.changeCount) return false;
  NSString* string = nsString(text);
  if (!string || ![pasteboard setString:string forType:NSPasteboardTypeString]) return false;
  // Should our own write count as a change, the pasteboard stays ours.
  ownChangeCount_ = pasteboard.changeCount;
  return true;
}

std::optional<std::string> MacPasteboard::string() const {
  return optionalText([NSPasteboard.generalPasteboard stringForType:NSPasteboardTypeString]);
}

}  // namespace varnelo::mac
