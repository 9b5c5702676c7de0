// AppleScript's values as the simulated host holds them, and how AppleScript writes them
// as text: reals in its own notation, aliases and files as HFS paths, Finder's item
// references as object specifiers. Pure functions (the HFS and specifier forms ask the
// file system whether a path is a folder); any thread.
//
// Limits: every path lies on one volume named "Macintosh HD"; a reference is resolved
// when made (a path), not kept live; integers are 64 bits wide once made (AppleScript's
// ±536870911 range is applied to literals only, by the parser).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace varnelo::sim {

struct AppleScriptValue;
using AppleScriptList = std::vector<AppleScriptValue>;

struct AliasRef {
  std::string path;  // an item that existed when the alias was made
};
struct FileRef {
  std::string path;  // POSIX file "…": any path, existing or not
};
// Finder's reference to an item (a window's target, a selected item): an object
// specifier, which needs "as alias" before AppleScript can take its POSIX path.
struct ItemRef {
  std::string path;
};
struct WindowRef {
  int id = 0;
};
struct SpecialTargetRef {
  int windowId = 0;  // the window whose target has no POSIX path
};

struct AppleScriptValue {
  std::variant<std::monostate, std::string, std::int64_t, double, AppleScriptList, AliasRef,
               FileRef, ItemRef, WindowRef, SpecialTargetRef>
      data;
};

// As AppleScript writes a real (inferred): "1.5", "2000.0"; from 10000 up, and below
// 0.0001, "1.0E+4" and "4.294967299E+9"; at most 12 significant digits.
std::string realText(double value);

// "Macintosh HD:Users:me:Documents:" for the folder /Users/me/Documents; a folder ends
// with ":", a file does not; a ":" inside a name reads as "/", as Finder shows it.
std::string hfsPath(const std::string& posixPath, bool folder);

// How a value appears in an error message: "text", 12, 1.5, alias "…", file "…",
// folder "Docs" of folder "me" of … of startup disk, Finder window id 3.
std::string describe(const AppleScriptValue& value);

// A whole number held as an integer or a real, if it fits 64 bits.
std::optional<std::int64_t> wholeNumber(const AppleScriptValue& value);

// Copying 64 bytes of text costs about as much as one interpreter step.
inline constexpr std::size_t kTextBytesPerStep = 64;

// Copying or building the value costs about this many interpreter steps: one per value,
// plus one per kTextBytesPerStep bytes of text or path.
std::size_t weight(const AppleScriptValue& value);

// Lists inside lists: 0 for a value that is not a list, 1 for a flat list.
int depth(const AppleScriptValue& value);

bool isFolder(const std::string& path);

}  // namespace varnelo::sim
