// The process's language for user-visible text, decided once at start-up from the
// user's preferred languages, and the (Japanese, English, Chinese) triples chosen by it.
// Never fails: no preference that matches reads as English, and so does lang() before
// initialise() runs. Any thread: the language is an atomic value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Platform/SystemInfo.h"

namespace varnelo {
namespace L10n {

enum class Lang { japanese = 0, english = 1, chinese = 2 };

// Each entry is lower-cased and tested for "ja", "zh", then "en" as a prefix; the first
// entry that matches one decides. Unmatched entries are skipped.
Lang languageFor(const std::vector<std::string>& preferredLanguages);

// Called once at start-up, before any text is built.
void initialise(const SystemInfo& system);
Lang lang();

// Sets the language for one scope (tests) and puts the previous one back at its end.
class ScopedLang {
 public:
  explicit ScopedLang(Lang lang);
  ~ScopedLang();
  ScopedLang(const ScopedLang&) = delete;
  ScopedLang& operator=(const ScopedLang&) = delete;

 private:
  Lang previous_;
};

// One user-visible text in the three languages; components keep theirs in one table:
//   constexpr L10n::Localized kDone{"完了", "Done", "完成"};
struct Localized {
  std::string_view ja;
  std::string_view en;
  std::string_view zh;

  std::string_view text() const { return text(lang()); }
  std::string_view text(Lang language) const;
  std::string string() const { return std::string(text()); }
};

// For a text used in one place only.
inline std::string pick(std::string_view ja, std::string_view en, std::string_view zh) {
  return Localized{ja, en, zh}.string();
}

// The detail behind "状態: 異常 — ", "Status: Degraded — " or "状态：异常 — ".
std::string statusDegraded(std::string_view detail);

}  // namespace L10n
}  // namespace varnelo
