// https://developer.apple.com/documentation/coreservices
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/AE/AEDataModel.h>
#include <CoreServices/AE/AppleEvents.h>
#include <CoreServices/CarbonCore/MacErrors.h>
