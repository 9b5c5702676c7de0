#include "Sim/Defaults/SimUserDefaults.h"

#include <iterator>
#include <utility>
#include <variant>

namespace varnelo::sim {
namespace {

DefaultsKind kindOfPlistValue(const PlistValue& value) {
  static constexpr DefaultsKind kKinds[] = {
      DefaultsKind::boolean, DefaultsKind::integer, DefaultsKind::real,  DefaultsKind::text,
      DefaultsKind::data,    DefaultsKind::date,    DefaultsKind::array, DefaultsKind::dictionary,
  };
  static_assert(std::size(kKinds) == std::variant_size_v<decltype(value.value)>);
  return kKinds[value.value.index()];
}

}  // namespace

SimUserDefaults::SimUserDefaults(const std::filesystem::path& home, DefaultsNotice notice)
    : domain_(home / "Library" / "Preferences" / "com.varnelo.Varnelo.plist",
              UnsavedWrites::keptInMemory, std::move(notice)) {}

template <class T>
std::optional<T> SimUserDefaults::typed(const std::string& key) const {
  auto stored = domain_.value(key);
  if (!stored) return std::nullopt;
  if (T* value = std::get_if<T>(&stored->value)) return std::move(*value);
  return std::nullopt;
}

DefaultsKind SimUserDefaults::kindOf(const std::string& key) const {
  auto stored = domain_.value(key);
  return stored ? kindOfPlistValue(*stored) : DefaultsKind::absent;
}

std::optional<bool> SimUserDefaults::boolean(const std::string& key) const {
  return typed<bool>(key);
}

std::optional<std::int64_t> SimUserDefaults::integer(const std::string& key) const {
  return typed<std::int64_t>(key);
}

std::optional<std::string> SimUserDefaults::text(const std::string& key) const {
  return typed<std::string>(key);
}

std::optional<Bytes> SimUserDefaults::data(const std::string& key) const {
  return typed<Bytes>(key);
}

std::optional<IntegerDictionary> SimUserDefaults::integerDictionary(const std::string& key) const {
  auto dictionary = typed<PlistDictionary>(key);
  if (!dictionary) return std::nullopt;
  IntegerDictionary integers;
  for (const auto& [name, item] : *dictionary) {
    const auto* number = std::get_if<std::int64_t>(&item.value);
    if (!number) return std::nullopt;
    integers.emplace(name, *number);
  }
  return integers;
}

void SimUserDefaults::setBoolean(const std::string& key, bool value) {
  domain_.set(key, PlistValue{value});
}

void SimUserDefaults::setInteger(const std::string& key, std::int64_t value) {
  domain_.set(key, PlistValue{value});
}

void SimUserDefaults::setText(const std::string& key, const std::string& value) {
  domain_.set(key, PlistValue{value});
}

void SimUserDefaults::setData(const std::string& key, const Bytes& value) {
  domain_.set(key, PlistValue{value});
}

void SimUserDefaults::setIntegerDictionary(const std::string& key, const IntegerDictionary& value) {
  PlistDictionary dictionary;
  for (const auto& [name, number] : value) dictionary.emplace(name, PlistValue{number});
  domain_.set(key, PlistValue{std::move(dictionary)});
}

void SimUserDefaults::remove(const std::string& key) { domain_.remove(key); }

void SimUserDefaults::copyValue(const std::string& from, const std::string& to) {
  if (auto stored = domain_.value(from)) domain_.set(to, std::move(*stored));
}

}  // namespace varnelo::sim
