#pragma once

#include <CoreServices/AE/AEDataModel.h>

enum {
  // https://developer.apple.com/documentation/coreservices/1527221-anonymous/erraeeventnotpermitted
  errAEEventNotPermitted = -1743,
  // https://developer.apple.com/documentation/coreservices/1527221-anonymous/erraeeventwouldrequireuserconsent
  errAEEventWouldRequireUserConsent = -1744
};

extern "C" {
// https://developer.apple.com/documentation/coreservices/3025784-aedeterminepermissiontoautomatet
OSStatus AEDeterminePermissionToAutomateTarget(const AEAddressDesc* target,
                                               AEEventClass theAEEventClass, AEEventID theAEEventID,
                                               Boolean askUserIfNeeded);
}
