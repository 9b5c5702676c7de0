#include "Runner/CommandTable.h"

#include <cassert>

namespace varnelo::scenario {

void CommandTable::add(const std::string& name, const std::string& usage, CommandHandler handler,
                       AfterEnd afterEnd) {
  const bool allowed = afterEnd == AfterEnd::allowed || name.starts_with("expect ");
  [[maybe_unused]] bool added =
      entries_.emplace(name, Entry{usage, std::move(handler), allowed}).second;
  assert(added && "a scenario command is defined twice");
}

CommandTable::Match CommandTable::find(const std::vector<std::string>& words) const {
  auto match = [this](const std::string& name, std::size_t used) -> Match {
    auto it = entries_.find(name);
    if (it == entries_.end()) return {};
    return {&it->second.handler, &it->second.usage, used, it->second.allowedAfterEnd};
  };
  if (words.empty()) return {};
  if (words.size() >= 2) {
    if (auto two = match(words[0] + " " + words[1], 2); two.handler) return two;
  }
  return match(words[0], 1);
}

std::string CommandTable::usageText() const {
  std::string text;
  for (const auto& [name, entry] : entries_) {
    text += "  " + name;
    if (!entry.usage.empty()) text += " " + entry.usage;
    text += "\n";
  }
  return text;
}

}  // namespace varnelo::scenario
