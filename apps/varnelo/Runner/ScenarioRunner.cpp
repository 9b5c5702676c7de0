#include "Runner/ScenarioRunner.h"

#include <fstream>
#include <sstream>

#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) {
    if (!text.empty()) text += ' ';
    bool plain = !word.empty() && word.find_first_of(" \t\n\"\\#") == std::string::npos;
    if (plain) {
      text += word;
      continue;
    }
    text += '"';
    for (char c : word) {
      if (c == '\n')
        text += "\\n";
      else if (c == '\t')
        text += "\\t";
      else if (c == '"' || c == '\\')
        text += std::string("\\") + c;
      else
        text += c;
    }
    text += '"';
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
    if (status == kScenarioPassed) status = takeDeferredFailure();
    if (status != kScenarioPassed) return status;
  }
  session_.out() << name << ": passed\n";
  return kScenarioPassed;
}

int ScenarioRunner::runSingleLine(std::string_view line, const std::string& where) {
  int status = runLine(line, where);
  return status == kScenarioPassed ? takeDeferredFailure() : status;
}

int ScenarioRunner::runLine(std::string_view line, const std::string& where) {
  auto tokens = tokenize(line);
  if (auto* error = std::get_if<TokenizeError>(&tokens)) {
    session_.out() << where << ": " << error->message << "\n";
    return kScenarioBadLine;
  }
  const auto& words = std::get<std::vector<std::string>>(tokens);
  if (words.empty()) return kScenarioPassed;
  if (words[0] == "after") return defer(words, where);
  return runCommand(words, where);
}

int ScenarioRunner::runCommand(const std::vector<std::string>& words, const std::string& where) {
  auto match = commands_.find(words);
  if (!match.handler) {
    session_.out() << where << ": unknown command " << joined(words) << "\n";
    return kScenarioBadLine;
  }
  if (session_.hasEnded() && !match.allowedAfterEnd) {
    session_.out() << where << ": Varnelo has ended; only checks may follow\n";
    return kScenarioBadLine;
  }
  session_.out() << "[" << session_.clockText() << "] " << joined(words) << "\n";
  Arguments args(words.begin() + static_cast<std::ptrdiff_t>(match.wordsUsed), words.end());
  CommandResult result = (*match.handler)(session_, args);
  // Everything due now runs before the next line.
  if (!session_.hasEnded()) session_.settle();
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

// after DURATION COMMAND…: the command is looked up now, so a misspelt one stops the run
// at its own line, and runs on the clock later.
int ScenarioRunner::defer(const std::vector<std::string>& words, const std::string& where) {
  auto delay = words.size() >= 3 ? parseDuration(words[1]) : std::nullopt;
  std::vector<std::string> command(words.begin() + (words.size() >= 3 ? 2 : 0), words.end());
  if (!delay || command[0] == "after" || !commands_.find(command).handler) {
    session_.out() << where << ": usage: after DURATION COMMAND…\n";
    return kScenarioBadLine;
  }
  session_.out() << "[" << session_.clockText() << "] " << joined(words) << "\n";
  std::weak_ptr<ScenarioRunner*> weak = self_;
  session_.desktop().scheduler().postAfter(*delay, [weak, command, where] {
    if (auto self = weak.lock()) (*self)->runDeferred(command, where);
  });
  return kScenarioPassed;
}

void ScenarioRunner::runDeferred(const std::vector<std::string>& words, const std::string& where) {
  CommandResult result = CommandResult::bad("Varnelo has ended; only checks may follow");
  auto match = commands_.find(words);
  if (!session_.hasEnded() || match.allowedAfterEnd) {
    session_.out() << "[" << session_.clockText() << "] " << joined(words) << " (after)\n";
    Arguments args(words.begin() + static_cast<std::ptrdiff_t>(match.wordsUsed), words.end());
    result = (*match.handler)(session_, args);
  }
  if (result.kind == CommandResult::Kind::ok || deferredFailure_) return;
  const int status =
      result.kind == CommandResult::Kind::checkFailed ? kScenarioCheckFailed : kScenarioBadLine;
  deferredFailure_ = Deferred{status, where, result.message};
}

int ScenarioRunner::takeDeferredFailure() {
  if (!deferredFailure_) return kScenarioPassed;
  auto failure = std::move(*deferredFailure_);
  deferredFailure_.reset();
  session_.out() << failure.where << ": " << failure.message << "\n";
  return failure.status;
}

}  // namespace varnelo::scenario
