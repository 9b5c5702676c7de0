// https://developer.apple.com/documentation/dispatch
#pragma once

#include <stdint.h>

#include <Foundation/NSObject.h>

// With ARC, dispatch objects are Objective-C objects.
// https://developer.apple.com/documentation/dispatch/dispatch_object_t
@protocol OS_dispatch_object <NSObject>
@end
@protocol OS_dispatch_queue <OS_dispatch_object>
@end
@protocol OS_dispatch_source <OS_dispatch_object>
@end
typedef NSObject<OS_dispatch_queue>*
    dispatch_queue_t;  // https://developer.apple.com/documentation/dispatch/dispatch_queue_t
typedef NSObject<OS_dispatch_source>*
    dispatch_source_t;  // https://developer.apple.com/documentation/dispatch/dispatch_source_t
typedef NSObject<OS_dispatch_object>*
    dispatch_queue_attr_t;  // https://developer.apple.com/documentation/dispatch/dispatch_queue_attr_t
typedef const struct dispatch_source_type_s*
    dispatch_source_type_t;  // https://developer.apple.com/documentation/dispatch/dispatch_source_type_t
typedef void (^dispatch_block_t)(
    void);  // https://developer.apple.com/documentation/dispatch/dispatch_block_t
typedef uint64_t
    dispatch_time_t;  // https://developer.apple.com/documentation/dispatch/dispatch_time_t

#define DISPATCH_TIME_NOW \
  (0ull)  // https://developer.apple.com/documentation/dispatch/dispatch_time_now
#define DISPATCH_TIME_FOREVER \
  (~0ull)  // https://developer.apple.com/documentation/dispatch/dispatch_time_forever
#define NSEC_PER_SEC 1000000000ull
#define DISPATCH_QUEUE_SERIAL \
  nullptr  // https://developer.apple.com/documentation/dispatch/dispatch_queue_serial

extern "C" {
// https://developer.apple.com/documentation/dispatch/1452927-dispatch_get_main_queue
dispatch_queue_t dispatch_get_main_queue(void);
// https://developer.apple.com/documentation/dispatch/1453030-dispatch_queue_create
dispatch_queue_t dispatch_queue_create(const char* label, dispatch_queue_attr_t attr);
// https://developer.apple.com/documentation/dispatch/1453057-dispatch_async
void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);
// https://developer.apple.com/documentation/dispatch/1420377-dispatch_time
dispatch_time_t dispatch_time(dispatch_time_t when, int64_t delta);

// https://developer.apple.com/documentation/dispatch/dispatch_source_type_signal
extern const struct dispatch_source_type_s _dispatch_source_type_signal;
#define DISPATCH_SOURCE_TYPE_SIGNAL (&_dispatch_source_type_signal)
// https://developer.apple.com/documentation/dispatch/dispatch_source_type_timer
extern const struct dispatch_source_type_s _dispatch_source_type_timer;
#define DISPATCH_SOURCE_TYPE_TIMER (&_dispatch_source_type_timer)
// https://developer.apple.com/documentation/dispatch/1385630-dispatch_source_create
dispatch_source_t dispatch_source_create(dispatch_source_type_t type, uintptr_t handle,
                                         uintptr_t mask, dispatch_queue_t queue);
// https://developer.apple.com/documentation/dispatch/1385604-dispatch_source_set_event_handler
void dispatch_source_set_event_handler(dispatch_source_t source, dispatch_block_t handler);
// https://developer.apple.com/documentation/dispatch/1385606-dispatch_source_set_timer
void dispatch_source_set_timer(dispatch_source_t source, dispatch_time_t start, uint64_t interval,
                               uint64_t leeway);
// https://developer.apple.com/documentation/dispatch/1385604-dispatch_source_cancel
void dispatch_source_cancel(dispatch_source_t source);
// https://developer.apple.com/documentation/dispatch/1452851-dispatch_activate
void dispatch_activate(NSObject<OS_dispatch_object>* object);
// https://developer.apple.com/documentation/dispatch/1452929-dispatch_resume
void dispatch_resume(NSObject<OS_dispatch_object>* object);
}
