#pragma once

#include <AppKit/NSSavePanel.h>

// https://developer.apple.com/documentation/appkit/nsopenpanel
@interface NSOpenPanel : NSSavePanel
// https://developer.apple.com/documentation/appkit/nsopenpanel/init()
+ (NSOpenPanel*)openPanel;
// https://developer.apple.com/documentation/appkit/nsopenpanel/canchoosefiles
@property BOOL canChooseFiles;
// https://developer.apple.com/documentation/appkit/nsopenpanel/canchoosedirectories
@property BOOL canChooseDirectories;
// https://developer.apple.com/documentation/appkit/nsopenpanel/allowsmultipleselection
@property BOOL allowsMultipleSelection;
@end
