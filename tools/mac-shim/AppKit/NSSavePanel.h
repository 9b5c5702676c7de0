#pragma once

#include <AppKit/NSApplication.h>
#include <AppKit/NSPanel.h>

@class UTType;

// https://developer.apple.com/documentation/appkit/nssavepanel
@interface NSSavePanel : NSPanel
// https://developer.apple.com/documentation/appkit/nssavepanel/url
@property(readonly, copy) NSURL* URL;
// https://developer.apple.com/documentation/appkit/nssavepanel/directoryurl
@property(copy) NSURL* directoryURL;
// https://developer.apple.com/documentation/appkit/nssavepanel/allowedcontenttypes
@property(copy) NSArray<UTType*>* allowedContentTypes API_AVAILABLE(macos(11.0));
// https://developer.apple.com/documentation/appkit/nssavepanel/prompt
@property(copy) NSString* prompt;
// https://developer.apple.com/documentation/appkit/nssavepanel/message
@property(copy) NSString* message;
// https://developer.apple.com/documentation/appkit/nssavepanel/runmodal()
- (NSModalResponse)runModal;
@end
