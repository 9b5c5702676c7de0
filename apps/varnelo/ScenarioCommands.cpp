#include "ScenarioCommands.h"

#include "BookmarkCommands.h"
#include "CoreCommands.h"
#include "FileCommands.h"
#include "FinderCommands.h"
#include "HealthCommands.h"
#include "OverlayCommands.h"
#include "PairCommands.h"
#include "PictureCommands.h"
#include "ScreenCommands.h"
#include "TrackingCommands.h"
#include "WindowCommands.h"

namespace varnelo::scenario {

CommandTable allCommands() {
  CommandTable table;
  addCoreCommands(table);
  addFileCommands(table);
  addFinderCommands(table);
  addWindowCommands(table);
  addScreenCommands(table);
  addTrackingCommands(table);
  addHealthCommands(table);
  addPairCommands(table);
  addOverlayCommands(table);
  addBookmarkCommands(table);
  addPictureCommands(table);
  return table;
}

}  // namespace varnelo::scenario
