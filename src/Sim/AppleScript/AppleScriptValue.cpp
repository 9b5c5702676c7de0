#include "Sim/AppleScript/AppleScriptValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVolume = "Macintosh HD";

const std::string* pathOf(const AppleScriptValue& value) {
  if (auto* alias = std::get_if<AliasRef>(&value.data)) return &alias->path;
  if (auto* file = std::get_if<FileRef>(&value.data)) return &file->path;
  if (auto* item = std::get_if<ItemRef>(&value.data)) return &item->path;
  return nullptr;
}

std::vector<std::string> components(const std::string& posixPath) {
  std::vector<std::string> names;
  for (const auto& part : fs::path(posixPath).lexically_normal().relative_path()) {
    if (!part.empty()) names.push_back(part.string());
  }
  return names;
}

// folder "Docs" of folder "me" of … of startup disk
std::string specifier(const std::string& posixPath) {
  auto names = components(posixPath);
  std::string text;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    bool file = name == names.rbegin() && !isFolder(posixPath);
    text += std::string(file ? "document file" : "folder") + " \"" + *name + "\" of ";
  }
  return text + "startup disk";
}

}  // namespace

std::string realText(double value) {
  char buffer[64];
  auto scientific =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 11);
  std::string text(buffer, scientific.ptr);
  auto mark = text.find('e');
  int exponent = std::stoi(text.substr(mark + 1));
  if (value != 0 && (exponent >= 4 || exponent < -4)) {
    std::string mantissa = text.substr(0, mark);
    mantissa.erase(std::max(mantissa.find_last_not_of('0'), mantissa.find('.') + 1) + 1);
    return mantissa + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
  }
  auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
  text.assign(buffer, fixed.ptr);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

std::string hfsPath(const std::string& posixPath, bool folder) {
  std::string hfs = kVolume;
  auto names = components(posixPath);
  for (auto name : names) {
    std::replace(name.begin(), name.end(), ':', '/');
    hfs += ':' + name;
  }
  if (folder || names.empty()) hfs += ':';
  return hfs;
}

std::string describe(const AppleScriptValue& value) {
  if (auto* text = std::get_if<std::string>(&value.data)) return "\"" + *text + "\"";
  if (auto* number = std::get_if<std::int64_t>(&value.data)) return std::to_string(*number);
  if (auto* real = std::get_if<double>(&value.data)) return realText(*real);
  if (auto* file = std::get_if<FileRef>(&value.data)) return "file \"" + file->path + "\"";
  if (auto* alias = std::get_if<AliasRef>(&value.data)) return "alias \"" + alias->path + "\"";
  if (auto* item = std::get_if<ItemRef>(&value.data)) return specifier(item->path);
  if (auto* window = std::get_if<WindowRef>(&value.data)) {
    return "Finder window id " + std::to_string(window->id);
  }
  if (auto* special = std::get_if<SpecialTargetRef>(&value.data)) {
    return "«class fvtg» of Finder window id " + std::to_string(special->windowId);
  }
  if (std::holds_alternative<AppleScriptList>(value.data)) return "list";
  return "value";
}

std::optional<std::int64_t> wholeNumber(const AppleScriptValue& value) {
  if (auto* number = std::get_if<std::int64_t>(&value.data)) return *number;
  auto* real = std::get_if<double>(&value.data);
  // 2^63 itself does not fit; every double below it that is whole does.
  constexpr double kLimit = 9223372036854775808.0;
  if (!real || std::trunc(*real) != *real || *real >= kLimit || *real < -kLimit) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(*real);
}

std::size_t weight(const AppleScriptValue& value) {
  if (auto* text = std::get_if<std::string>(&value.data))
    return 1 + text->size() / kTextBytesPerStep;
  if (auto* path = pathOf(value)) return 1 + path->size() / kTextBytesPerStep;
  auto* list = std::get_if<AppleScriptList>(&value.data);
  if (!list) return 1;
  std::size_t total = 1;
  for (const auto& item : *list) total += weight(item);
  return total;
}

int depth(const AppleScriptValue& value) {
  auto* list = std::get_if<AppleScriptList>(&value.data);
  if (!list) return 0;
  int deepest = 0;
  for (const auto& item : *list) deepest = std::max(deepest, depth(item));
  return deepest + 1;
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace varnelo::sim
