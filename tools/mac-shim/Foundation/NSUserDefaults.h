#pragma once

#include <Foundation/NSData.h>
#include <Foundation/NSDictionary.h>
#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/nsglobaldomain
extern "C" NSString* const NSGlobalDomain;

// https://developer.apple.com/documentation/foundation/userdefaults
@interface NSUserDefaults : NSObject
@property(class, readonly, strong) NSUserDefaults* standardUserDefaults;
- (id)objectForKey:(NSString*)defaultName;
- (void)setObject:(id)value forKey:(NSString*)defaultName;
- (void)removeObjectForKey:(NSString*)defaultName;
// https://developer.apple.com/documentation/foundation/userdefaults/1410669-persistentdomainforname
- (NSDictionary<NSString*, id>*)persistentDomainForName:(NSString*)domainName;
// https://developer.apple.com/documentation/foundation/userdefaults/1408187-setpersistentdomain
- (void)setPersistentDomain:(NSDictionary<NSString*, id>*)domain forName:(NSString*)domainName;
// https://developer.apple.com/documentation/foundation/userdefaults/1414005-synchronize
- (BOOL)synchronize;
@end
