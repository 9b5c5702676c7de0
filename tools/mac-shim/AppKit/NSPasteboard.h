#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nspasteboard/pasteboardtype
typedef NSString* NSPasteboardType;

extern "C" {
// https://developer.apple.com/documentation/appkit/nspasteboard/pasteboardtype/string
extern NSPasteboardType const NSPasteboardTypeString;
}

// https://developer.apple.com/documentation/appkit/nspasteboard
@interface NSPasteboard : NSObject
// https://developer.apple.com/documentation/appkit/nspasteboard/general
@property(class, readonly, strong) NSPasteboard* generalPasteboard;
// https://developer.apple.com/documentation/appkit/nspasteboard/changecount
@property(readonly) NSInteger changeCount;
// https://developer.apple.com/documentation/appkit/nspasteboard/clearcontents()
- (NSInteger)clearContents;
// https://developer.apple.com/documentation/appkit/nspasteboard/setstring(_:fortype:)
- (BOOL)setString:(NSString*)string forType:(NSPasteboardType)dataType;
// https://developer.apple.com/documentation/appkit/nspasteboard/string(fortype:)
- (NSString*)stringForType:(NSPasteboardType)dataType;
@end
