#pragma once

#include <CoreGraphics/CGBase.h>

// https://developer.apple.com/documentation/corefoundation/cgpoint
struct CGPoint {
  CGFloat x;
  CGFloat y;
};
typedef struct CGPoint CGPoint;
// https://developer.apple.com/documentation/corefoundation/cgsize
struct CGSize {
  CGFloat width;
  CGFloat height;
};
typedef struct CGSize CGSize;
// https://developer.apple.com/documentation/corefoundation/cgrect
struct CGRect {
  CGPoint origin;
  CGSize size;
};
typedef struct CGRect CGRect;

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/coregraphics/1455245-cgrectmakewithdictionaryrepresen
bool CGRectMakeWithDictionaryRepresentation(CFDictionaryRef dict, CGRect* rect);
CF_EXTERN_C_END
