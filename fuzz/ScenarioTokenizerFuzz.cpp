// libFuzzer target: one input, read as a scenario line, a number and a duration. Besides
// crashes and sanitizer reports it checks what the tokenizer promises: words quoted back
// (as the runner prints them) read as the same words, a number prints as itself, a
// duration is never negative.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "FuzzCheck.h"
#include "Runner/ScenarioTokenizer.h"

namespace {

using namespace varnelo;
using namespace varnelo::scenario;

using varnelo::fuzz::check;

std::string quoted(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) {
    if (!text.empty()) text += ' ';
    text += '"';
    for (char c : word) {
      if (c == '\n') {
        text += "\\n";
      } else if (c == '\t') {
        text += "\\t";
      } else {
        if (c == '"' || c == '\\') text += '\\';
        text += c;
      }
    }
    text += '"';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto tokens = tokenize(text);
  if (const auto* words = std::get_if<std::vector<std::string>>(&tokens)) {
    const auto again = tokenize(quoted(*words));
    const auto* same = std::get_if<std::vector<std::string>>(&again);
    check(same && *same == *words, "quoted words read back as themselves");
  }
  if (auto number = parseInteger(text)) {
    check(parseInteger(std::to_string(*number)) == number, "a number prints as itself");
  }
  if (auto duration = parseDuration(text)) check(*duration >= Duration{0}, "no negative duration");
  return 0;
}
