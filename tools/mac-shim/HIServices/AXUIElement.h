#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <HIServices/AXError.h>
#include <sys/types.h>

// https://developer.apple.com/documentation/applicationservices/axuielement
typedef const struct CF_BRIDGED_TYPE(id) __AXUIElement* AXUIElementRef;
// https://developer.apple.com/documentation/applicationservices/axobserver
typedef struct CF_BRIDGED_TYPE(id) __AXObserver* AXObserverRef;

// https://developer.apple.com/documentation/applicationservices/axcopymultipleattributeoptions
typedef CF_OPTIONS(uint32_t, AXCopyMultipleAttributeOptions) {
  kAXCopyMultipleAttributeOptionStopOnError = 0x1,
};

// https://developer.apple.com/documentation/applicationservices/axobservercallback
typedef void (*AXObserverCallback)(AXObserverRef observer, AXUIElementRef element,
                                   CFStringRef notification, void* refcon);

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/applicationservices/kaxtrustedcheckoptionprompt
extern const CFStringRef kAXTrustedCheckOptionPrompt;
// https://developer.apple.com/documentation/applicationservices/axisprocesstrustedwithoptions(_:)
Boolean AXIsProcessTrustedWithOptions(CFDictionaryRef options);

// https://developer.apple.com/documentation/applicationservices/axuielementgettypeid()
CFTypeID AXUIElementGetTypeID(void);
// https://developer.apple.com/documentation/applicationservices/axuielementcreateapplication(_:)
AXUIElementRef AXUIElementCreateApplication(pid_t pid);
// https://developer.apple.com/documentation/applicationservices/axuielementcopyattributevalue(_:_:_:)
AXError AXUIElementCopyAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                      CFTypeRef* value);
// https://developer.apple.com/documentation/applicationservices/axuielementcopymultipleattributevalues(_:_:_:_:)
AXError AXUIElementCopyMultipleAttributeValues(AXUIElementRef element, CFArrayRef attributes,
                                               AXCopyMultipleAttributeOptions options,
                                               CFArrayRef* values);
// https://developer.apple.com/documentation/applicationservices/axuielementsetattributevalue(_:_:_:)
AXError AXUIElementSetAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                     CFTypeRef value);
// https://developer.apple.com/documentation/applicationservices/axuielementperformaction(_:_:)
AXError AXUIElementPerformAction(AXUIElementRef element, CFStringRef action);
// https://developer.apple.com/documentation/applicationservices/axuielementgetpid(_:_:)
AXError AXUIElementGetPid(AXUIElementRef element, pid_t* pid);
// https://developer.apple.com/documentation/applicationservices/axuielementsetmessagingtimeout(_:_:)
AXError AXUIElementSetMessagingTimeout(AXUIElementRef element, float timeoutInSeconds);

// https://developer.apple.com/documentation/applicationservices/axobservercreate(_:_:_:)
AXError AXObserverCreate(pid_t application, AXObserverCallback callback,
                         AXObserverRef* outObserver);
// https://developer.apple.com/documentation/applicationservices/axobserveraddnotification(_:_:_:_:)
AXError AXObserverAddNotification(AXObserverRef observer, AXUIElementRef element,
                                  CFStringRef notification, void* refcon);
// https://developer.apple.com/documentation/applicationservices/axobserverremovenotification(_:_:_:)
AXError AXObserverRemoveNotification(AXObserverRef observer, AXUIElementRef element,
                                     CFStringRef notification);
// https://developer.apple.com/documentation/applicationservices/axobservergetrunloopsource(_:)
CFRunLoopSourceRef AXObserverGetRunLoopSource(AXObserverRef observer);
CF_EXTERN_C_END
