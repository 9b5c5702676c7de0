// A list copied from Core Foundation and never released.
#include <Foundation/Foundation.h>

CFIndex countNames() {
  CFStringRef first = CFSTR("a");
  const void* values[] = {first};
  CFArrayRef names = CFArrayCreate(kCFAllocatorDefault, values, 1, nullptr);
  return CFArrayGetCount(names);
}
