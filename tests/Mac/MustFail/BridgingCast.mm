// A Core Foundation string handed to Objective-C without saying who owns it.
#include <Foundation/Foundation.h>

NSUInteger length(CFStringRef name) {
  NSString* string = (NSString*)name;  // expected-error {{requires a bridged cast}} expected-note {{use __bridge to}} expected-note {{use __bridge_transfer to}}
  return string.length;
}
