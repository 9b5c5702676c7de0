// A misspelt method of the user defaults.
#include <Foundation/Foundation.h>

id value() {
  return [NSUserDefaults.standardUserDefaults objectForKeyy:@"WasPaired"];  // expected-error {{no visible @interface for 'NSUserDefaults' declares the selector 'objectForKeyy:'}}
}
