#pragma once

#include <Foundation/NSObjCRuntime.h>

@class NSString;

// https://developer.apple.com/documentation/objectivec/nsobjectprotocol
@protocol NSObject
- (BOOL)isEqual:(id)object;
@property(readonly) NSUInteger hash;
- (BOOL)isKindOfClass:(Class)aClass;
- (BOOL)respondsToSelector:(SEL)aSelector;
@property(readonly, copy) NSString* description;
@end

// https://developer.apple.com/documentation/foundation/nscopying
@protocol NSCopying
- (id)copyWithZone:(void*)zone;
@end

// https://developer.apple.com/documentation/foundation/nsmutablecopying
@protocol NSMutableCopying
- (id)mutableCopyWithZone:(void*)zone;
@end

// https://developer.apple.com/documentation/objectivec/nsobject
__attribute__((objc_root_class))
@interface NSObject<NSObject>
+ (instancetype)alloc;
+ (instancetype)new;
+ (Class)class;
- (instancetype)init;
- (id)copy;
- (id)mutableCopy;
- (void)performSelector:(SEL)aSelector withObject:(id)anArgument afterDelay:(NSTimeInterval)delay;
@end
