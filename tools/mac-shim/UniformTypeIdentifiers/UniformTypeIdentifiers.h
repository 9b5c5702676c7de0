// https://developer.apple.com/documentation/uniformtypeidentifiers
#pragma once

#include <UniformTypeIdentifiers/UTCoreTypes.h>
#include <UniformTypeIdentifiers/UTType.h>
