// https://developer.apple.com/documentation/corefoundation/corefoundation-macros
#pragma once

// https://developer.apple.com/documentation/corefoundation/cf_enum
#define CF_ENUM(_type, _name) \
  enum _name : _type _name;   \
  enum _name : _type
// https://developer.apple.com/documentation/corefoundation/cf_options
// In C++ an options type is its integer type, so that or-ed flags keep the type.
#define CF_OPTIONS(_type, _name) \
  _type _name;                   \
  enum : _type
