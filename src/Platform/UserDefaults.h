// The application's standard user-defaults domain and the system's global domain.
// Main thread only. Typed reads answer nullopt both for an absent key and for a value of
// another shape, so a caller's default applies; kindOf() tells the two apart.
// Writes take effect at once and persist on their own.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnelo {

enum class DefaultsKind { absent, boolean, integer, real, text, data, date, array, dictionary };

using Bytes = std::vector<std::uint8_t>;
using IntegerDictionary = std::map<std::string, std::int64_t>;

class UserDefaults {
 public:
  virtual ~UserDefaults() = default;

  virtual DefaultsKind kindOf(const std::string& key) const = 0;
  virtual std::optional<bool> boolean(const std::string& key) const = 0;
  virtual std::optional<std::int64_t> integer(const std::string& key) const = 0;
  virtual std::optional<std::string> text(const std::string& key) const = 0;
  virtual std::optional<Bytes> data(const std::string& key) const = 0;
  // nullopt unless the value is a dictionary whose every value is an integer.
  virtual std::optional<IntegerDictionary> integerDictionary(const std::string& key) const = 0;

  virtual void setBoolean(const std::string& key, bool value) = 0;
  virtual void setInteger(const std::string& key, std::int64_t value) = 0;
  virtual void setText(const std::string& key, const std::string& value) = 0;
  virtual void setData(const std::string& key, const Bytes& value) = 0;
  // Replaces the stored dictionary whole.
  virtual void setIntegerDictionary(const std::string& key, const IntegerDictionary& value) = 0;
  virtual void remove(const std::string& key) = 0;
  // Stores a copy of `from`'s value, whatever its kind, under `to`; nothing when `from` is
  // absent.
  virtual void copyValue(const std::string& from, const std::string& to) = 0;
};

// The global domain (".GlobalPreferences"), shared with every application. Only text
// entries are touched; writing one key leaves every other key of the domain as it was.
class GlobalDefaults {
 public:
  virtual ~GlobalDefaults() = default;
  // The "NSFileViewer" entry: the bundle identifier that receives "Show in Finder".
  virtual std::optional<std::string> fileViewer() const = 0;
  virtual std::optional<std::string> text(const std::string& key) const = 0;
  virtual void setText(const std::string& key, const std::string& value) = 0;
  virtual void remove(const std::string& key) = 0;
  // Makes the domain's current state visible to other processes.
  virtual void synchronize() = 0;
};

inline constexpr const char* kFileViewerKey = "NSFileViewer";

}  // namespace varnelo
