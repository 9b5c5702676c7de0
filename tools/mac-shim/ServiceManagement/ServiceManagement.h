// https://developer.apple.com/documentation/servicemanagement
#pragma once

#include <ServiceManagement/SMAppService.h>
