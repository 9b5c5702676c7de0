// A menu delegate that answers menuNeedsUpdate: without adopting NSMenuDelegate: the check
// must refuse it, as AppKit would not treat it as the menu's delegate.
#include <AppKit/AppKit.h>

@interface Refresher : NSObject
- (void)menuNeedsUpdate:(NSMenu*)menu;
@end

void attach(NSMenu* menu, Refresher* refresher) {
  // expected-error@+1 {{incompatible pointer types assigning to 'id<NSMenuDelegate>'}}
  menu.delegate = refresher;
}
