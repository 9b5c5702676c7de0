#pragma once

#include <Foundation/NSString.h>

extern "C" {
NSString* NSHomeDirectory(void);  // https://developer.apple.com/documentation/foundation/1413045-nshomedirectory
}
