// Varnelo's path bar under another application's open or save dialog: the same view and
// model as the pane bars, in a floating panel glued to the dialog's bottom edge (and, with
// the modern chrome, a click-through patch over the dialog's rounded corners). Choosing a
// crumb or typing a path asks the owner, through onNavigate, to send the dialog there; a
// typed path that is no existing folder marks the input invalid instead. Nothing here
// fails. Main thread only; delayed navigation holds it weakly.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "Dialog/FileDialog.h"
#include "Overlay/OverlayController.h"
#include "Overlay/PathBarPresentation.h"
#include "Overlay/PathBarViewModel.h"
#include "Platform/Ports.h"

namespace varnelo {

class DialogPathBarController final : public PathBarContextSource,
                                      public std::enable_shared_from_this<DialogPathBarController> {
 public:
  static constexpr double kBarHeight = 30;
  static constexpr double kClassicOverlap = 11;
  static constexpr Duration kNavigateDelay = seconds(0.06);

  // The Finder overlays supply what the bar shows besides its model (chrome, accent,
  // terminal) and the bookmark popover; without them the bar is drawn with defaults. The
  // ports and the overlays outlive the controller.
  static std::shared_ptr<DialogPathBarController> create(const Ports& ports,
                                                         OverlayController* overlays);
  DialogPathBarController(const DialogPathBarController&) = delete;
  DialogPathBarController& operator=(const DialogPathBarController&) = delete;

  // The dialog element, the folder it shows (if known) and the folder asked for.
  std::function<void(const AXElement& dialog, const std::optional<Url>& from, const Url& to)>
      onNavigate;

  // Shows or updates the bar for the dialog.
  void show(const FileDialog& info);
  // Orders the panels out and forgets the dialog; the panels stay for the next one.
  void hide();
  // While the dialog's application is not in front the panels are ordered out.
  void setOwnerFront(bool front);

  PathBarViewModel& model() { return model_; }
  const Panel* panel() const { return panel_.get(); }
  const Panel* cornerPatch() const { return cornerPatch_.get(); }
  const std::optional<FileDialog>& currentDialog() const { return currentDialog_; }
  // Its bookmark button opens the popover over this bar.
  PathBarContext barContext(std::optional<WindowNumber> bar) override;

 private:
  DialogPathBarController(const Ports& ports, OverlayController* overlays);

  void makePanel();
  void makeCornerPatchPanel();
  void orderFront();
  void editingChanged(bool editing);
  void navigationRequested(const std::string& path);

  Ports ports_;
  OverlayController* overlays_;
  // Before the panels, so that it outlives the views that show it.
  PathBarViewModel model_;
  std::unique_ptr<Panel> panel_;
  std::unique_ptr<Panel> cornerPatch_;
  std::optional<FileDialog> currentDialog_;
  Subscription editingSubscription_;
  bool ownerFront_ = true;
  bool wasEditing_ = false;
};

}  // namespace varnelo
