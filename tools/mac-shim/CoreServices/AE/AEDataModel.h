#pragma once

#include <CoreFoundation/CFBase.h>

// https://developer.apple.com/documentation/kernel/restype
typedef FourCharCode ResType;
// https://developer.apple.com/documentation/coreservices/desctype
typedef ResType DescType;
// https://developer.apple.com/documentation/coreservices/aeeventclass
typedef FourCharCode AEEventClass;
// https://developer.apple.com/documentation/coreservices/aeeventid
typedef FourCharCode AEEventID;

// https://developer.apple.com/documentation/coreservices/aedatastorage
typedef struct OpaqueAEDataStorageType* AEDataStorageType;
typedef AEDataStorageType* AEDataStorage;

// https://developer.apple.com/documentation/coreservices/aedesc
struct AEDesc {
  DescType descriptorType;
  AEDataStorage dataHandle;
};
typedef struct AEDesc AEDesc;
// https://developer.apple.com/documentation/coreservices/aeaddressdesc
typedef AEDesc AEAddressDesc;

enum {
  // '****', any class or event.
  // https://developer.apple.com/documentation/coreservices/typewildcard
  typeWildCard = 0x2A2A2A2A
};
