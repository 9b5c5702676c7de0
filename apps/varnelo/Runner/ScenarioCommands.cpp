#include "Runner/ScenarioCommands.h"

#include "Commands/BookmarkCommands.h"
#include "Commands/CoreCommands.h"
#include "Commands/DiagnosticsCommands.h"
#include "Commands/DialogCommands.h"
#include "Commands/FileCommands.h"
#include "Commands/FinderCommands.h"
#include "Commands/HealthCommands.h"
#include "Commands/MenuCommands.h"
#include "Commands/OverlayCommands.h"
#include "Commands/PairCommands.h"
#include "Commands/PictureCommands.h"
#include "Commands/ScreenCommands.h"
#include "Commands/SetupCommands.h"
#include "Commands/TrackingCommands.h"
#include "Commands/WindowCommands.h"

namespace varnelo::scenario {

CommandTable allCommands() {
  CommandTable table;
  addCoreCommands(table);
  addFileCommands(table);
  addFinderCommands(table);
  addWindowCommands(table);
  addDialogCommands(table);
  addScreenCommands(table);
  addTrackingCommands(table);
  addHealthCommands(table);
  addDiagnosticsCommands(table);
  addPairCommands(table);
  addOverlayCommands(table);
  addBookmarkCommands(table);
  addPictureCommands(table);
  addMenuCommands(table);
  addSetupCommands(table);
  return table;
}

}  // namespace varnelo::scenario
