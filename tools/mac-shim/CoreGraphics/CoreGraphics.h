// https://developer.apple.com/documentation/coregraphics
#pragma once

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGEvent.h>
#include <CoreGraphics/CGEventSource.h>
#include <CoreGraphics/CGEventTypes.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGRemoteOperation.h>
#include <CoreGraphics/CGWindow.h>
