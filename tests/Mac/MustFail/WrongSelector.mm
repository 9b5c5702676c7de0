// A misspelt method of the user defaults.
#include <Foundation/Foundation.h>

id value() {
  NSUserDefaults* defaults = NSUserDefaults.standardUserDefaults;
  // expected-error@+1 {{no visible @interface for 'NSUserDefaults' declares the selector}}
  return [defaults objectForKeyy:@"WasPaired"];
}
