#pragma once

#include <Foundation/NSDictionary.h>
#include <Foundation/NSString.h>

@class NSOperationQueue;

// https://developer.apple.com/documentation/foundation/nsnotification/name
typedef NSString* NSNotificationName;

// https://developer.apple.com/documentation/foundation/nsnotification
@interface NSNotification : NSObject <NSCopying>
@property(readonly, copy) NSNotificationName name;
@property(readonly, retain) id object;
@property(readonly, copy) NSDictionary* userInfo;
@end

// https://developer.apple.com/documentation/foundation/notificationcenter
@interface NSNotificationCenter : NSObject
// https://developer.apple.com/documentation/foundation/notificationcenter/addobserver(forname:object:queue:using:)
- (id<NSObject>)addObserverForName:(NSNotificationName)name
                            object:(id)obj
                             queue:(NSOperationQueue*)queue
                        usingBlock:(void (^)(NSNotification* notification))block;
// https://developer.apple.com/documentation/foundation/notificationcenter/removeobserver(_:)
- (void)removeObserver:(id)observer;
@end
