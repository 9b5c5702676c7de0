// A completion that expects only the error, where NSWorkspace hands over the application too.
#include <AppKit/AppKit.h>

// expected-note@AppKit/NSWorkspace.h:* {{passing argument to parameter 'completionHandler'}}
void open(NSURL* folder, NSURL* application) {
  [NSWorkspace.sharedWorkspace openURLs:@[ folder ]
                   withApplicationAtURL:application
                          configuration:[NSWorkspaceOpenConfiguration configuration]
                      // expected-error@+1 {{rvalue of type 'void (^)(NSError *__strong)'}}
                      completionHandler:^(NSError* error) {
                        (void)error;
                      }];
}
