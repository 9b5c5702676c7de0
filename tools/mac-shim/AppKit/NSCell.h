#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nscontrol/statevalue
typedef NSInteger NSControlStateValue;
// https://developer.apple.com/documentation/appkit/nscontrol/statevalue/mixed
static const NSControlStateValue NSControlStateValueMixed = -1;
// https://developer.apple.com/documentation/appkit/nscontrol/statevalue/off
static const NSControlStateValue NSControlStateValueOff = 0;
// https://developer.apple.com/documentation/appkit/nscontrol/statevalue/on
static const NSControlStateValue NSControlStateValueOn = 1;
