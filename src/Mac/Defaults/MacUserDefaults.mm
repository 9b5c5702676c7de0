#include "Mac/Defaults/MacUserDefaults.h"

#include <Foundation/Foundation.h>

#include "Mac/Bridge/CFNumbers.h"
#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

namespace {

NSUserDefaults* defaults() { return NSUserDefaults.standardUserDefaults; }

id stored(const std::string& key) { return [defaults() objectForKey:nsString(key)]; }

bool isBoolean(id value) {
  return [value isKindOfClass:[NSNumber class]] &&
         CFGetTypeID((__bridge CFTypeRef)value) == CFBooleanGetTypeID();
}

// An NSNumber that is neither a Boolean nor a floating value, and fits in 64 bits.
std::optional<std::int64_t> integerValue(id value) {
  if (![value isKindOfClass:[NSNumber class]] || isBoolean(value)) return std::nullopt;
  return integerOf((__bridge CFNumberRef)value);
}

}  // namespace

DefaultsKind MacUserDefaults::kindOf(const std::string& key) const {
  id value = stored(key);
  if (!value) return DefaultsKind::absent;
  if (isBoolean(value)) return DefaultsKind::boolean;
  if ([value isKindOfClass:[NSNumber class]])
    return CFNumberIsFloatType((__bridge CFNumberRef)value) ? DefaultsKind::real
                                                            : DefaultsKind::integer;
  if ([value isKindOfClass:[NSString class]]) return DefaultsKind::text;
  if ([value isKindOfClass:[NSData class]]) return DefaultsKind::data;
  if ([value isKindOfClass:[NSDate class]]) return DefaultsKind::date;
  if ([value isKindOfClass:[NSArray class]]) return DefaultsKind::array;
  return DefaultsKind::dictionary;
}

std::optional<bool> MacUserDefaults::boolean(const std::string& key) const {
  id value = stored(key);
  if (!isBoolean(value)) return std::nullopt;
  return static_cast<bool>([value boolValue]);
}

std::optional<std::int64_t> MacUserDefaults::integer(const std::string& key) const {
  return integerValue(stored(key));
}

std::optional<std::string> MacUserDefaults::text(const std::string& key) const {
  return optionalText(stored(key));
}

std::optional<Bytes> MacUserDefaults::data(const std::string& key) const {
  id value = stored(key);
  if (![value isKindOfClass:[NSData class]]) return std::nullopt;
  NSData* bytes = value;
  const auto* first = static_cast<const std::uint8_t*>(bytes.bytes);
  return Bytes(first, first + bytes.length);
}

std::optional<IntegerDictionary> MacUserDefaults::integerDictionary(const std::string& key) const {
  id value = stored(key);
  if (![value isKindOfClass:[NSDictionary class]]) return std::nullopt;
  NSDictionary* dictionary = value;
  IntegerDictionary integers;
  for (id name in dictionary) {
    auto integer = integerValue(dictionary[name]);
    if (![name isKindOfClass:[NSString class]] || !integer) return std::nullopt;
    integers.emplace(mac::text(name), *integer);
  }
  return integers;
}

void MacUserDefaults::setBoolean(const std::string& key, bool value) {
  [defaults() setObject:@(value) forKey:nsString(key)];
}

void MacUserDefaults::setInteger(const std::string& key, std::int64_t value) {
  [defaults() setObject:[NSNumber numberWithLongLong:value] forKey:nsString(key)];
}

void MacUserDefaults::setText(const std::string& key, const std::string& value) {
  NSString* string = nsString(value);
  // Text that is not UTF-8 would be stored as nil, which removes the key: keep the old value.
  if (string) [defaults() setObject:string forKey:nsString(key)];
}

void MacUserDefaults::setData(const std::string& key, const Bytes& value) {
  [defaults() setObject:[NSData dataWithBytes:value.data() length:value.size()]
                 forKey:nsString(key)];
}

void MacUserDefaults::setIntegerDictionary(const std::string& key, const IntegerDictionary& value) {
  NSMutableDictionary<NSString*, NSNumber*>* dictionary = [NSMutableDictionary dictionary];
  for (const auto& [name, integer] : value) {
    if (NSString* string = nsString(name))
      dictionary[string] = [NSNumber numberWithLongLong:integer];
  }
  [defaults() setObject:dictionary forKey:nsString(key)];
}

void MacUserDefaults::remove(const std::string& key) {
  [defaults() removeObjectForKey:nsString(key)];
}

void MacUserDefaults::copyValue(const std::string& from, const std::string& to) {
  if (id value = stored(from)) [defaults() setObject:value forKey:nsString(to)];
}

}  // namespace varnelo::mac
