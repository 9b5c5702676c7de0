#include "Commands/Interface/PictureCommands.h"

#include <filesystem>

#include "Qt/Desktop/DesktopPicture.h"
#include "Qt/Windows/OffscreenApplication.h"
#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {
namespace {

// screenshot FILE [2x]: a PNG at the screens' point size, or twice it.
CommandResult screenshot(ScenarioSession& session, Arguments args) {
  const bool doubled = args.size() == 2 && args[1] == "2x";
  if (args.empty() || args.size() > 2 || (args.size() == 2 && !doubled)) {
    return CommandResult::bad("usage: screenshot FILE [2x]");
  }
  qt::ensureApplication();
  const QImage picture = qt::paintDesktop(session.desktop(), doubled ? 2 : 1);
  const std::filesystem::path file = args[0];
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  if (!picture.save(QString::fromStdString(file.string()), "PNG")) {
    return CommandResult::bad("cannot write " + file.string());
  }
  return CommandResult::ok();
}

}  // namespace

void addPictureCommands(CommandTable& table) {
  table.add("screenshot", "FILE [2x]", screenshot, AfterEnd::allowed);
}

}  // namespace varnelo::scenario
