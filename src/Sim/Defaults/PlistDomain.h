// One preferences domain kept in a property-list file; the common ground of the
// application's and the global defaults. Failures never surface to callers: a corrupt
// file reads as empty after it has been kept aside (reported through the notice
// callback), and what a failed save leaves depends on UnsavedWrites. Main thread only
// (the notice callback runs on the calling thread).
//
// Rules:
//   1. Every read reloads the file, so edits by other processes are seen at once; while
//      a failed save is kept in memory, memory is ahead of the file and it is not re-read.
//   2. Every write loads, modifies and saves the whole dictionary, so other keys survive.
//   3. An unreadable file is renamed to "<name>.corrupt" (or "<name>.corrupt.N" when that
//      exists) before anything writes the domain; if it cannot be moved, nothing
//      overwrites it and the failure is reported once.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "Sim/Defaults/PlistFile.h"

namespace varnelo::sim {

using DefaultsNotice = std::function<void(const std::string&)>;

// What a write that cannot be saved leaves behind.
enum class UnsavedWrites {
  keptInMemory,  // a process's own domain: reads see it, the next write saves it too
  lost,          // a shared domain: only what reached the file exists for anyone
};

class PlistDomain {
 public:
  PlistDomain(std::filesystem::path file, UnsavedWrites unsavedWrites, DefaultsNotice notice);

  std::optional<PlistValue> value(const std::string& key) const;
  void set(const std::string& key, PlistValue value);
  void remove(const std::string& key);

  const std::filesystem::path& file() const { return file_; }
  // The disk refuses every save until switched back (full, or the folder locked).
  void setSavingFails(bool fails) { savingFails_ = fails; }

 private:
  PlistDictionary& current() const;
  void keepAside() const;
  bool persist() const;
  void save();

  std::filesystem::path file_;
  UnsavedWrites unsavedWrites_;
  DefaultsNotice notice_;
  mutable PlistDictionary values_;
  mutable bool unsaved_ = false;
  mutable bool stuckOnCorruptFile_ = false;
  bool savingFails_ = false;
};

}  // namespace varnelo::sim
