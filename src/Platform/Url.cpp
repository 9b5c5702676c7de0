#include "Platform/Url.h"

#include <string_view>

namespace varnelo {
namespace {

constexpr std::string_view kFileScheme = "file://";

bool keepsLiteral(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) !=
             std::string_view::npos;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Url Url::fileUrl(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text(kFileScheme);
  for (unsigned char c : path) {
    if (keepsLiteral(c)) {
      text += static_cast<char>(c);
      continue;
    }
    text += '%';
    text += kHex[c >> 4];
    text += kHex[c & 0xF];
  }
  return Url{text};
}

bool Url::isFileUrl() const { return absoluteString.starts_with(kFileScheme); }

std::optional<std::string> Url::filePath() const {
  if (!isFileUrl()) return std::nullopt;
  std::string_view rest = std::string_view(absoluteString).substr(kFileScheme.size());
  if (rest.starts_with("localhost/")) rest.remove_prefix(std::string_view("localhost").size());
  if (!rest.starts_with('/')) return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    if (i + 2 >= rest.size()) return std::nullopt;
    int high = hexValue(rest[i + 1]);
    int low = hexValue(rest[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

}  // namespace varnelo
