// A URL as the platform hands it over: the absolute text, with helpers for file URLs.
// Plain value; any thread.
#pragma once

#include <optional>
#include <string>

namespace varnelo {

struct Url {
  std::string absoluteString;

  // "file://" followed by the percent-encoded absolute path. A relative path is kept
  // relative to nothing: callers pass absolute paths.
  static Url fileUrl(const std::string& path);

  bool isFileUrl() const;
  // The decoded path of a "file://" URL (with or without "localhost"); nullopt for
  // other schemes and for malformed percent escapes.
  std::optional<std::string> filePath() const;

  bool operator==(const Url&) const = default;
};

}  // namespace varnelo
