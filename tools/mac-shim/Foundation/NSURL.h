#pragma once

#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/nsurl
@interface NSURL : NSObject <NSCopying>
+ (instancetype)URLWithString:(NSString*)URLString;
+ (NSURL*)fileURLWithPath:(NSString*)path;
+ (NSURL*)fileURLWithPath:(NSString*)path isDirectory:(BOOL)isDir;
@property(readonly, copy) NSString* absoluteString;
@property(readonly, copy) NSString* path;
@property(readonly, getter=isFileURL) BOOL fileURL;
@property(readonly, copy) NSURL*
    filePathURL;  // https://developer.apple.com/documentation/foundation/nsurl/1408442-filepathurl
@end
