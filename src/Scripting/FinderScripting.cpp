#include "Scripting/FinderScripting.h"

#include <utility>

#include "Scripting/FinderAnswers.h"
#include "Scripting/FinderScripts.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr const char* kCategory = "script";

using WindowLookupCase::ScriptFailed;

}  // namespace

FinderScripting::FinderScripting(ScriptHost& host, MainQueue& mainQueue, SerialQueueFactory& queues)
    : host_(host), mainQueue_(mainQueue), queue_(queues.makeSerialQueue(kAppleScriptQueueLabel)) {}

template <class T>
void FinderScripting::perform(std::function<T(FinderScripting&)> work, T whenGone,
                              Completion<T> completion) {
  queue_->post([weak = weak_from_this(), &mainQueue = mainQueue_, work = std::move(work),
                result = std::move(whenGone), completion = std::move(completion)]() mutable {
    if (auto self = weak.lock()) {
      self->setBusy(true);
      result = work(*self);
      self->setBusy(false);
    }
    mainQueue.post([completion = std::move(completion), result = std::move(result)]() mutable {
      completion(std::move(result));
    });
  });
}

void FinderScripting::setBusy(bool busy) {
  std::lock_guard lock(stateMutex_);
  busy_ = busy;
}

bool FinderScripting::isBusy() const {
  std::lock_guard lock(stateMutex_);
  return busy_;
}

FinderScripting::Answer FinderScripting::runCached(const char* key, const std::string& source) {
  auto cached = compiledCache_.find(key);
  if (cached == compiledCache_.end()) {
    auto script = host_.compile(source);
    if (!script) {
      Log::emit(kCategory, "NSAppleScript 生成失敗");
      return std::nullopt;
    }
    cached = compiledCache_.emplace(key, std::move(script)).first;
  }
  return run(*cached->second);
}

FinderScripting::Answer FinderScripting::runFresh(const std::string& source) {
  const auto script = host_.compile(source);
  if (!script) {
    Log::emit(kCategory, "NSAppleScript 生成失敗");
    return std::nullopt;
  }
  return run(*script);
}

FinderScripting::Answer FinderScripting::run(const CompiledScript& script) {
  ScriptResult result = host_.execute(script);
  if (const auto* error = std::get_if<ScriptError>(&result)) {
    Log::emit(kCategory, "AppleScript エラー " + std::to_string(error->number.value_or(0)) + ": " +
                             error->message.value_or("unknown"));
    return std::nullopt;
  }
  return std::move(std::get<ScriptText>(result).value);
}

void FinderScripting::allWindows(Completion<std::vector<WindowInfo>> completion) {
  perform<std::vector<WindowInfo>>(
      [](FinderScripting& self) {
        return FinderAnswers::parseWindowList(
            self.runCached(FinderScripts::kAllWindowsKey, FinderScripts::allWindows()));
      },
      {}, std::move(completion));
}

void FinderScripting::lookup(ScriptID windowID, Completion<WindowLookup> completion) {
  perform<WindowLookup>(
      [windowID](FinderScripting& self) {
        return FinderAnswers::parseLookup(self.runFresh(FinderScripts::lookup(windowID)));
      },
      ScriptFailed{}, std::move(completion));
}

void FinderScripting::selection(Completion<std::vector<std::string>> completion) {
  perform<std::vector<std::string>>(
      [](FinderScripting& self) {
        return FinderAnswers::parseSelection(
            self.runCached(FinderScripts::kSelectionKey, FinderScripts::selection()));
      },
      {}, std::move(completion));
}

void FinderScripting::captureForRouting(ScriptID windowID,
                                        Completion<std::optional<RoutingCapture>> completion) {
  perform<std::optional<RoutingCapture>>(
      [windowID](FinderScripting& self) {
        return FinderAnswers::parseRoutingCapture(
            self.runFresh(FinderScripts::captureForRouting(windowID)));
      },
      std::nullopt, std::move(completion));
}

void FinderScripting::openWindow(std::string path, Completion<std::optional<ScriptID>> completion) {
  perform<std::optional<ScriptID>>(
      [path = std::move(path)](FinderScripting& self) {
        return FinderAnswers::parseTrimmedInt(self.runFresh(FinderScripts::openWindow(path)));
      },
      std::nullopt, std::move(completion));
}

void FinderScripting::closeWindow(ScriptID windowID, Completion<bool> completion) {
  perform<bool>(
      [windowID](FinderScripting& self) {
        return self.runFresh(FinderScripts::closeWindow(windowID)).has_value();
      },
      false, std::move(completion));
}

void FinderScripting::setTarget(ScriptID windowID, std::string toPath,
                                Completion<bool> completion) {
  perform<bool>(
      [windowID, toPath = std::move(toPath)](FinderScripting& self) {
        return self.runFresh(FinderScripts::setTarget(windowID, toPath)).has_value();
      },
      false, std::move(completion));
}

void FinderScripting::reveal(ScriptID windowID, std::string folder,
                             std::vector<std::string> selecting, Completion<bool> completion) {
  perform<bool>(
      [windowID, folder = std::move(folder),
       selecting = std::move(selecting)](FinderScripting& self) {
        return self.runFresh(FinderScripts::reveal(windowID, folder, selecting)).has_value();
      },
      false, std::move(completion));
}

void FinderScripting::revealInFinder(std::string folder, std::vector<std::string> selecting,
                                     Completion<bool> completion) {
  perform<bool>(
      [folder = std::move(folder), selecting = std::move(selecting)](FinderScripting& self) {
        return self.runFresh(FinderScripts::revealInFinder(folder, selecting)).has_value();
      },
      false, std::move(completion));
}

void FinderScripting::activateFinder(Completion<bool> completion) {
  perform<bool>(
      [](FinderScripting& self) {
        return self.runCached(FinderScripts::kActivateFinderKey, FinderScripts::activateFinder())
            .has_value();
      },
      false, std::move(completion));
}

void FinderScripting::transfer(std::vector<std::string> items, std::string to, bool move,
                               Completion<bool> completion) {
  const auto kind =
      move ? FinderScripts::TransferKind::move : FinderScripts::TransferKind::duplicate;
  perform<bool>(
      [items = std::move(items), to = std::move(to), kind](FinderScripting& self) {
        if (items.empty()) return false;
        return self.runFresh(FinderScripts::transfer(items, to, kind)).has_value();
      },
      false, std::move(completion));
}

void FinderScripting::sidebarWidth(ScriptID windowID,
                                   Completion<std::optional<std::int64_t>> completion) {
  perform<std::optional<std::int64_t>>(
      [windowID](FinderScripting& self) {
        return FinderAnswers::parseTrimmedInt(self.runFresh(FinderScripts::sidebarWidth(windowID)));
      },
      std::nullopt, std::move(completion));
}

void FinderScripting::setSidebarWidth(ScriptID windowID, std::int64_t width,
                                      Completion<bool> completion) {
  perform<bool>(
      [windowID, width](FinderScripting& self) {
        return self.runFresh(FinderScripts::setSidebarWidth(windowID, width)).has_value();
      },
      false, std::move(completion));
}

}  // namespace varnelo
