#pragma once

#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/filemanager
@interface NSFileManager : NSObject
// https://developer.apple.com/documentation/foundation/filemanager/default
@property(class, readonly, strong) NSFileManager* defaultManager;
// https://developer.apple.com/documentation/foundation/filemanager/fileexists(atpath:)
- (BOOL)fileExistsAtPath:(NSString*)path;
// https://developer.apple.com/documentation/foundation/filemanager/displayname(atpath:)
- (NSString*)displayNameAtPath:(NSString*)path;
@end
