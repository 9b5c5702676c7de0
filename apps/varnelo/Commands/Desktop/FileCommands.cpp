#include "Commands/Desktop/FileCommands.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {
namespace {

namespace fs = std::filesystem;
using Result = CommandResult;

// Inside the home, with ".." and "." resolved, so a scenario cannot touch the machine.
bool isInsideHome(const ScenarioSession& session, const fs::path& path) {
  const auto home = session.expandHome("~").lexically_normal();
  const auto relative = path.lexically_normal().lexically_relative(home);
  return !relative.empty() && *relative.begin() != "..";
}

// make folder PATH | make file PATH ["CONTENTS"]: parents are made as needed; a file
// made again gets the new contents.
Result make(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: make folder PATH | make file PATH [CONTENTS]";
  const bool folder = args.size() == 2 && args[0] == "folder";
  const bool file = (args.size() == 2 || args.size() == 3) && args[0] == "file";
  if (!folder && !file) return Result::bad(usage);
  const fs::path path = session.expandHome(args[1]);
  if (!isInsideHome(session, path)) return Result::bad(path.string() + " is not in the home");
  std::error_code error;
  fs::create_directories(folder ? path : path.parent_path(), error);
  if (error) return Result::bad("cannot make " + path.string() + ": " + error.message());
  if (folder) return Result::ok();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (args.size() == 3) out << args[2];
  if (!out) return Result::bad("cannot write " + path.string());
  return Result::ok();
}

// remove PATH: a file or a whole folder inside the home goes.
Result remove(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: remove PATH");
  const fs::path path = session.expandHome(args[0]);
  if (!isInsideHome(session, path)) return Result::bad(path.string() + " is not in the home");
  std::error_code error;
  if (fs::remove_all(path, error) == 0 || error) {
    return Result::bad("cannot remove " + path.string() + (error ? ": " + error.message() : ""));
  }
  return Result::ok();
}

}  // namespace

void addFileCommands(CommandTable& table) {
  table.add("make", "folder PATH | file PATH [CONTENTS]", make);
  table.add("remove", "PATH", remove);
}

}  // namespace varnelo::scenario
