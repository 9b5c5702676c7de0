// https://developer.apple.com/documentation/os/logging
#pragma once

#include <Foundation/NSObject.h>

@protocol OS_os_log <NSObject>
@end
typedef NSObject<OS_os_log>* os_log_t;  // https://developer.apple.com/documentation/os/os_log_t

// https://developer.apple.com/documentation/os/os_log_type_t
typedef uint8_t os_log_type_t;
enum : os_log_type_t { OS_LOG_TYPE_DEFAULT = 0x00, OS_LOG_TYPE_DEBUG = 0x02 };

extern "C" {
// https://developer.apple.com/documentation/os/1643744-os_log_create
os_log_t os_log_create(const char* subsystem, const char* category);
// https://developer.apple.com/documentation/os/1643749-os_log_type_enabled
bool os_log_type_enabled(os_log_t oslog, os_log_type_t type);
// The macros below stand for Apple's, which check the format at compile time as this
// declaration does.
void _os_log_shim(os_log_t log, os_log_type_t type, const char* format, ...)
    __attribute__((format(os_log, 3, 4)));
}
// https://developer.apple.com/documentation/os/os_log_with_type
#define os_log_with_type(log, type, format, ...) _os_log_shim(log, type, format, ##__VA_ARGS__)
// https://developer.apple.com/documentation/os/os_log_debug
#define os_log_debug(log, format, ...) _os_log_shim(log, OS_LOG_TYPE_DEBUG, format, ##__VA_ARGS__)
