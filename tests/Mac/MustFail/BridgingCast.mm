// A Core Foundation string handed to Objective-C without saying who owns it.
#include <Foundation/Foundation.h>

NSUInteger length(CFStringRef name) {
  // expected-error@+3 {{requires a bridged cast}}
  // expected-note@+2 {{use __bridge to}}
  // expected-note@+1 {{use __bridge_transfer to}}
  NSString* string = (NSString*)name;
  return string.length;
}
