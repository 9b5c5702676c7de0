#include "Support/L10n.h"

#include <atomic>

namespace varnelo::L10n {

namespace {

constinit std::atomic<Lang> current{Lang::english};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// ASCII only: the tags compared are ASCII, and other bytes must stay as they are.
std::string lowerCased(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

}  // namespace

Lang languageFor(const std::vector<std::string>& preferredLanguages) {
  for (const std::string& entry : preferredLanguages) {
    const std::string tag = lowerCased(entry);
    if (startsWith(tag, "ja")) {
      return Lang::japanese;
    }
    if (startsWith(tag, "zh")) {
      return Lang::chinese;
    }
    if (startsWith(tag, "en")) {
      return Lang::english;
    }
  }
  return Lang::english;
}

void initialise(const SystemInfo& system) {
  current.store(languageFor(system.preferredLanguages()), std::memory_order_relaxed);
}

Lang lang() { return current.load(std::memory_order_relaxed); }

ScopedLang::ScopedLang(Lang lang) : previous_(current.exchange(lang, std::memory_order_relaxed)) {}

ScopedLang::~ScopedLang() { current.store(previous_, std::memory_order_relaxed); }

std::string_view Localized::text(Lang language) const {
  switch (language) {
    case Lang::japanese:
      return ja;
    case Lang::english:
      return en;
    case Lang::chinese:
      return zh;
  }
  return zh;
}

std::string statusDegraded(std::string_view detail) {
  constexpr Localized kPrefix{"状態: 異常 — ", "Status: Degraded — ", "状态：异常 — "};
  return std::string(kPrefix.text()).append(detail);
}

}  // namespace varnelo::L10n
