#include "Overlay/CenterStripModel.h"

namespace varnelo {

bool isEnabled(const CenterStripModel& model, StripButton button) {
  switch (button) {
    case StripButton::copyToRight:
    case StripButton::copyToLeft:
      return model.hasSelection.get();
    case StripButton::moveToRight:
    case StripButton::moveToLeft:
      return model.hasSelection.get() && !model.sameFolder.get();
    case StripButton::syncOtherPane:
    case StripButton::swapPanes:
    case StripButton::sidebar:
    case StripButton::expandToScreen:
      return true;
  }
  return false;
}

bool isOn(const CenterStripModel& model, StripButton button) {
  return button == StripButton::sidebar && model.sidebarHidden.get();
}

}  // namespace varnelo
