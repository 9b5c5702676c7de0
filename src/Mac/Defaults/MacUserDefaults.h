// The standard user defaults, typed strictly: a read answers only a value of its own
// kind, as the port asks (NSUserDefaults' own typed getters would convert). Type-checked
// on Linux; runs only on a Mac.
#pragma once

#include "Platform/UserDefaults.h"

namespace varnelo::mac {

class MacUserDefaults final : public UserDefaults {
 public:
  DefaultsKind kindOf(const std::string& key) const override;
  std::optional<bool> boolean(const std::string& key) const override;
  std::optional<std::int64_t> integer(const std::string& key) const override;
  std::optional<std::string> text(const std::string& key) const override;
  std::optional<Bytes> data(const std::string& key) const override;
  std::optional<IntegerDictionary> integerDictionary(const std::string& key) const override;

  void setBoolean(const std::string& key, bool value) override;
  void setInteger(const std::string& key, std::int64_t value) override;
  void setText(const std::string& key, const std::string& value) override;
  void setData(const std::string& key, const Bytes& value) override;
  void setIntegerDictionary(const std::string& key, const IntegerDictionary& value) override;
  void remove(const std::string& key) override;
  void copyValue(const std::string& from, const std::string& to) override;
};

}  // namespace varnelo::mac
