// libFuzzer target: one input, read as every kind of Finder answer. Besides crashes and
// sanitizer reports it checks what each reader promises: rows rebuild the text they came
// from, numbers are strict decimals, window frames stay finite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzCheck.h"
#include "Scripting/FinderAnswers.h"

namespace {

using namespace varnelo;
using namespace varnelo::FinderAnswers;

using varnelo::fuzz::check;

bool has(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string without(std::string_view text, char c) {
  std::string out;
  for (char x : text) {
    if (x != c) out += x;
  }
  return out;
}

// The shortest spelling of a decimal: no "+", no leading zeros, no "-0".
std::string canonicalDecimal(std::string_view text) {
  const bool minus = text.starts_with('-');
  if (minus || text.starts_with('+')) text.remove_prefix(1);
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text == "0") return "0";
  return (minus ? "-" : "") + std::string(text);
}

void checkDecimal(std::string_view text) {
  const auto value = parseDecimalInt(text);
  if (!value) return;
  check(std::to_string(*value) == canonicalDecimal(text), "decimal reads its exact text");
}

void checkWindowLine(std::string_view line) {
  const auto info = parseWindowLine(line);
  if (!info) return;
  const std::size_t tab1 = line.find('\t');
  const std::size_t tab2 = line.find('\t', tab1 + 1);
  const std::size_t tab3 = line.find('\t', tab2 + 1);
  check(tab3 != std::string_view::npos && line.find('\t', tab3 + 1) == std::string_view::npos,
        "a window row has exactly four fields");
  check(parseDecimalInt(line.substr(0, tab1)) == info->id, "the id is the first field");
  check(info->name == line.substr(tab1 + 1, tab2 - tab1 - 1), "the name is the second field");
  const std::string_view path = line.substr(tab2 + 1, tab3 - tab2 - 1);
  check(info->path ? *info->path == path && path != "?" : path == "?",
        "the path is the third field, absent only for ?");
  const Rect& b = info->bounds;
  check(
      std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.width) && std::isfinite(b.height),
      "window bounds are finite");
}

void checkWindowList(const std::string& text) {
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  const auto rows = parseWindowList(text);
  check(rows.size() <= lines, "at most one window per line");
  for (const auto& row : rows) {
    check(!has(row.name, '\n') && !has(row.name, '\t'), "a window name is one field");
  }
}

void checkLookup(const std::string& text) {
  const auto lookup = parseLookup(text);
  if (text.empty()) {
    check(std::holds_alternative<WindowLookupCase::NotBrowserWindow>(lookup),
          "an empty lookup answer is no browser window");
    return;
  }
  check(!std::holds_alternative<WindowLookupCase::NotBrowserWindow>(lookup),
        "only an empty answer is no browser window");
  if (const auto* browser = std::get_if<WindowLookupCase::Browser>(&lookup)) {
    check(!browser->path || !browser->path->empty(), "an empty path is absent");
    check(browser->name + '\t' + browser->path.value_or("") == text,
          "a browser lookup rebuilds its answer");
  } else {
    std::size_t tabs = 0;
    for (char c : text) tabs += c == '\t';
    check(tabs != 1, "a name and a path are a browser window");
  }
}

void checkSelection(const std::string& text) {
  std::string joined;
  for (const auto& path : parseSelection(text)) {
    check(!path.empty() && !has(path, '\n'), "a selected path is one non-empty line");
    joined += path;
  }
  check(joined == without(text, '\n'), "the selection keeps every character but line ends");
}

void checkCapture(const std::string& text) {
  const auto capture = parseRoutingCapture(text);
  check(capture.has_value() == !text.empty(), "only an empty answer captures nothing");
  if (!capture) return;
  const std::string_view firstLine = std::string_view(text).substr(0, text.find('\n'));
  check(capture->path.value_or("") == firstLine, "the folder is the first line");
  check(!capture->path || !capture->path->empty(), "an empty folder is absent");
  std::string joined = capture->path.value_or("");
  for (const auto& path : capture->selection) {
    check(!path.empty() && !has(path, '\n'), "a captured item is one non-empty line");
    joined += path;
  }
  check(joined == without(text, '\n'), "the capture keeps every character but line ends");
}

void checkTrimmedInt(const std::string& text) {
  const auto trimmed = parseTrimmedInt(text);
  if (const auto strict = parseDecimalInt(text)) {
    check(trimmed == strict, "trimming keeps a strict decimal");
  }
  if (trimmed) check(parseTrimmedInt(" \r\n" + text + "\t\n") == trimmed, "blanks do not count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  checkDecimal(text);
  checkWindowLine(text);
  checkWindowList(text);
  checkLookup(text);
  checkSelection(text);
  checkCapture(text);
  checkTrimmedInt(text);
  return 0;
}
