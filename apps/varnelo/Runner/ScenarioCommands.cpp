#include "Runner/ScenarioCommands.h"

#include "Commands/Desktop/CoreCommands.h"
#include "Commands/Desktop/DialogCommands.h"
#include "Commands/Desktop/FaultCommands.h"
#include "Commands/Desktop/FileCommands.h"
#include "Commands/Desktop/FinderCommands.h"
#include "Commands/Desktop/ScreenCommands.h"
#include "Commands/Desktop/WindowCommands.h"
#include "Commands/Interface/BookmarkCommands.h"
#include "Commands/Interface/MenuCommands.h"
#include "Commands/Interface/OverlayCommands.h"
#include "Commands/Interface/PairCommands.h"
#include "Commands/Interface/PictureCommands.h"
#include "Commands/Interface/SetupCommands.h"
#include "Commands/System/DiagnosticsCommands.h"
#include "Commands/System/HealthCommands.h"
#include "Commands/System/TrackingCommands.h"

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
  addFaultCommands(table);
  return table;
}

}  // namespace varnelo::scenario
