// The application's defaults domain on the simulated desktop, persisted as
// "<home>/Library/Preferences/com.varnelo.Varnelo.plist" (XML, readable by a person).
// Failures are silent, as the platform's are: a corrupt file is kept aside and reported
// through the notice (PlistDomain); writes to an unwritable folder stay in memory.
// Main thread only.
//
// Limits: no registration domain, no cross-process change notifications; another
// instance on the same home sees a write at its next read.
#pragma once

#include <filesystem>

#include "Platform/UserDefaults.h"
#include "Sim/Defaults/PlistDomain.h"

namespace varnelo::sim {

class SimUserDefaults final : public UserDefaults {
 public:
  SimUserDefaults(const std::filesystem::path& home, DefaultsNotice notice);

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

  const std::filesystem::path& file() const { return domain_.file(); }
  // Writes stay in memory until saving works again and the next write saves them.
  void setSavingFails(bool fails) { domain_.setSavingFails(fails); }

 private:
  template <class T>
  std::optional<T> typed(const std::string& key) const;

  PlistDomain domain_;
};

}  // namespace varnelo::sim
