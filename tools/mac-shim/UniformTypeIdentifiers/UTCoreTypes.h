#pragma once

#include <UniformTypeIdentifiers/UTType.h>

extern "C" {
// https://developer.apple.com/documentation/uniformtypeidentifiers/uttype-swift.struct/applicationbundle
extern UTType* const UTTypeApplicationBundle;
}
