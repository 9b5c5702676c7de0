#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/servicemanagement/smappservice/status-swift.enum
typedef NS_ENUM(NSInteger, SMAppServiceStatus) {
  SMAppServiceStatusNotRegistered = 0,
  SMAppServiceStatusEnabled = 1,
  SMAppServiceStatusRequiresApproval = 2,
  SMAppServiceStatusNotFound = 3,
};

// https://developer.apple.com/documentation/servicemanagement/smappservice
API_AVAILABLE(macos(13.0))
@interface SMAppService : NSObject
// https://developer.apple.com/documentation/servicemanagement/smappservice/mainapp
@property(class, readonly) SMAppService* mainAppService;
// https://developer.apple.com/documentation/servicemanagement/smappservice/status-swift.property
@property(readonly) SMAppServiceStatus status;
// https://developer.apple.com/documentation/servicemanagement/smappservice/register()
- (BOOL)registerAndReturnError:(NSError**)error;
// https://developer.apple.com/documentation/servicemanagement/smappservice/unregister()
- (BOOL)unregisterAndReturnError:(NSError**)error;
// https://developer.apple.com/documentation/servicemanagement/smappservice/opensystemsettingsloginitems()
+ (void)openSystemSettingsLoginItems;
@end
