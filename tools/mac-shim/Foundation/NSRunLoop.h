#pragma once

#include <Foundation/NSDate.h>

// https://developer.apple.com/documentation/foundation/runloop
@interface NSRunLoop : NSObject
@property(class, readonly, strong) NSRunLoop* currentRunLoop;
@property(class, readonly, strong) NSRunLoop* mainRunLoop;
// https://developer.apple.com/documentation/foundation/runloop/1411525-rununtildate
- (void)runUntilDate:(NSDate*)limitDate;
@end
