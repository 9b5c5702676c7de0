#include "ScenarioRunner.h"

#include <fstream>
#include <sstream>

#include "ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) {
    if (!text.empty()) text += ' ';
    bool plain = !word.empty() && word.find_first_of(" \t\"\\#") == std::string::npos;
    text += plain ? word : "\"" + word + "\"";
  }
  return text;
}

}  // namespace

ScenarioRunner::ScenarioRunner(ScenarioSession& session, const CommandTable& commands)
    : session_(session), commands_(commands) {}

int ScenarioRunner::runFile(const std::filesystem::path& file) {
  std::ifstream stream(file);
  if (!stream) {
    session_.out() << file.string() << ": cannot read the scenario file\n";
    return kScenarioBadLine;
  }
  std::stringstream text;
  text << stream.rdbuf();
  return runText(text.str(), file.string());
}

int ScenarioRunner::runText(std::string_view text, const std::string& name) {
  int number = 0;
  while (!text.empty()) {
    ++number;
    auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    int status = runLine(line, name + ":" + std::to_string(number));
    if (status != kScenarioPassed) return status;
  }
  session_.out() << name << ": passed\n";
  return kScenarioPassed;
}

int ScenarioRunner::runLine(std::string_view line, const std::string& where) {
  auto tokens = tokenize(line);
  if (auto* error = std::get_if<TokenizeError>(&tokens)) {
    session_.out() << where << ": " << error->message << "\n";
    return kScenarioBadLine;
  }
  const auto& words = std::get<std::vector<std::string>>(tokens);
  if (words.empty()) return kScenarioPassed;
  auto match = commands_.find(words);
  if (!match.handler) {
    session_.out() << where << ": unknown command " << joined(words) << "\n";
    return kScenarioBadLine;
  }
  bool isCheck = words[0] == "expect";
  if (session_.hasEnded() && !isCheck) {
    session_.out() << where << ": Varnelo has ended; only checks may follow\n";
    return kScenarioBadLine;
  }
  session_.out() << "[" << session_.clockText() << "] " << joined(words) << "\n";
  Arguments args(words.begin() + static_cast<std::ptrdiff_t>(match.wordsUsed), words.end());
  CommandResult result = (*match.handler)(session_, args);
  // Everything due now runs before the next line.
  if (!session_.hasEnded()) session_.desktop().virtualClock()->runUntilIdle();
  switch (result.kind) {
    case CommandResult::Kind::ok:
      return kScenarioPassed;
    case CommandResult::Kind::checkFailed:
      session_.out() << where << ": " << result.message << "\n";
      return kScenarioCheckFailed;
    case CommandResult::Kind::badLine:
      session_.out() << where << ": " << result.message << "\n";
      return kScenarioBadLine;
  }
  return kScenarioBadLine;
}

}  // namespace varnelo::scenario
