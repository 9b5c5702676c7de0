// https://developer.apple.com/documentation/applicationservices/axuielement_h
#pragma once

#include <HIServices/AXError.h>
#include <HIServices/AXUIElement.h>
#include <HIServices/AXValue.h>
