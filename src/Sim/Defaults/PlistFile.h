// Property-list files: a plain value model and the one adapter over libplist (no other
// file of the desktop calls it). Failures are values: load() answers an outcome, save()
// a bool. Any thread; concurrent saves of one file each stay whole, the last rename wins.
//
// Limits: integers are 64-bit signed (an unsigned value above INT64_MAX reads wrapped);
// dates keep whole seconds between 1933 and 2069; UID nodes read as unreadable files;
// keys and text end at their first zero byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Time.h"
#include "Platform/UserDefaults.h"

namespace varnelo::sim {

struct PlistValue;
using PlistArray = std::vector<PlistValue>;
using PlistDictionary = std::map<std::string, PlistValue>;

struct PlistValue {
  std::variant<bool, std::int64_t, double, std::string, Bytes, WallTime, PlistArray,
               PlistDictionary>
      value;
  bool operator==(const PlistValue&) const = default;
};

enum class PlistLoadOutcome {
  missing,     // no file: reads as an empty dictionary
  loaded,      // a dictionary at the root, XML or binary
  unreadable,  // exists but cannot be read, is corrupt or truncated, or its root is no dictionary
};

struct PlistLoad {
  PlistLoadOutcome outcome = PlistLoadOutcome::missing;
  PlistDictionary dictionary;  // empty unless loaded
};

namespace PlistFile {

PlistLoad load(const std::filesystem::path& file);

// Writes XML to a temporary file beside `file` and renames it over `file`, so a reader
// sees the old or the new contents, never a mix. No fsync: a power cut may lose the
// save. Answers false (and leaves `file` untouched) when the folder is missing or not
// writable.
bool save(const std::filesystem::path& file, const PlistDictionary& dictionary);

}  // namespace PlistFile

}  // namespace varnelo::sim
