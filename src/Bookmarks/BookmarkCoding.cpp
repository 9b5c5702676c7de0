#include "Bookmarks/BookmarkCoding.h"

#include <nlohmann/json.hpp>

#include <string>

namespace varnelo::BookmarkCoding {

std::optional<Bytes> encode(const std::vector<Bookmark>& items) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (const auto& bookmark : items) {
    array.push_back({{"path", bookmark.path}, {"name", bookmark.name}});
  }
  std::string text;
  try {
    text = array.dump();
  } catch (const nlohmann::json::type_error&) {  // invalid UTF-8 is reported only this way
    return std::nullopt;
  }
  Bytes bytes;
  bytes.reserve(text.size());
  // Outside strings the compact form holds no "/", so every one is inside a string.
  for (char c : text) {
    if (c == '/') bytes.push_back('\\');
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  return bytes;
}

std::optional<std::vector<Bookmark>> decode(const Bytes& data) {
  auto json = nlohmann::json::parse(data.begin(), data.end(), nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded() || !json.is_array()) return std::nullopt;
  std::vector<Bookmark> items;
  for (const auto& element : json) {
    if (!element.is_object()) return std::nullopt;
    auto path = element.find("path");
    auto name = element.find("name");
    if (path == element.end() || name == element.end() || !path->is_string() ||
        !name->is_string()) {
      return std::nullopt;
    }
    items.push_back({path->get<std::string>(), name->get<std::string>()});
  }
  return items;
}

}  // namespace varnelo::BookmarkCoding
