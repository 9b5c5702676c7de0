#include "Commands/Interface/OverlayCommands.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "Overlay/CenterStripPresentation.h"
#include "Overlay/PathBarPresentation.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

constexpr std::array<std::pair<const char*, StripButton>, 8> kButtons{{
    {"copy-right", StripButton::copyToRight},
    {"copy-left", StripButton::copyToLeft},
    {"move-right", StripButton::moveToRight},
    {"move-left", StripButton::moveToLeft},
    {"sync", StripButton::syncOtherPane},
    {"swap", StripButton::swapPanes},
    {"sidebar", StripButton::sidebar},
    {"expand", StripButton::expandToScreen},
}};

std::optional<StripButton> button(const std::string& name) {
  for (const auto& [text, value] : kButtons) {
    if (name == text) return value;
  }
  return std::nullopt;
}

// strip press BUTTON | strip hover BUTTON | strip leave BUTTON
Result stripCommand(ScenarioSession& session, Arguments args) {
  auto* overlay = session.overlays();
  if (!overlay) return Result::bad("Varnelo is not launched");
  if (args.size() != 2) return Result::bad("usage: strip press|hover|leave BUTTON");
  const Panel* panel = overlay->stripPanel();
  if (!panel || !panel->isVisible()) return Result::bad("the strip is not shown");
  CenterStripModel& model = overlay->stripModel();
  auto pointed = button(args[1]);
  if (!pointed) return Result::bad("no strip button " + args[1]);
  if (args[0] == "hover" || args[0] == "leave") {
    const std::string help = CenterStripPresentation::help(*pointed, model.sidebarHidden.get());
    if (model.onHoverHint) model.onHoverHint(help, args[0] == "hover");
    return Result::ok();
  }
  if (args[0] != "press") return Result::bad("usage: strip press|hover|leave BUTTON");
  if (!CenterStripPresentation::press(model, *pointed)) {
    return Result::bad("the button " + args[1] + " is disabled");
  }
  return Result::ok();
}

struct Bar {
  const Panel* panel = nullptr;
  PathBarViewModel* model = nullptr;
  // The Finder window under the bar; none for the dialog bar.
  std::optional<WindowNumber> window;
};

// The label "dialog" names the bar under another application's open or save dialog.
std::variant<Bar, Result> bar(ScenarioSession& session, const std::string& label) {
  auto* overlay = session.overlays();
  if (!overlay) return Result::bad("Varnelo is not launched");
  if (label == "dialog") {
    auto* dialogBar = session.dialogBar();
    return Bar{dialogBar->panel(), &dialogBar->model(), std::nullopt};
  }
  auto number = session.labelledWindow(label);
  if (!number) return Result::bad("no window labelled " + label);
  if (!overlay->barModel(*number)) return Result::bad("the window " + label + " has no bar");
  return Bar{overlay->barPanel(*number), overlay->barModel(*number), number};
}

constexpr std::array<std::pair<const char*, PathBarControl>, 8> kBarControls{{
    {"home", PathBarControl::home},
    {"icloud", PathBarControl::iCloudDrive},
    {"up", PathBarControl::up},
    {"bookmarks", PathBarControl::bookmarks},
    {"terminal", PathBarControl::terminal},
    {"copy-path", PathBarControl::copyPath},
    {"enter-path", PathBarControl::enterPath},
    {"cancel", PathBarControl::cancel},
}};

// bar LABEL press CONTROL: refused when the bar does not offer it or it is disabled.
Result pressBarControl(ScenarioSession& session, std::optional<WindowNumber> id,
                       PathBarViewModel& model, const std::string& name) {
  for (const auto& [text, control] : kBarControls) {
    if (name != text) continue;
    if (PathBarPresentation::press(model, session.overlays()->barContext(id), control)) {
      return Result::ok();
    }
    return Result::bad("the bar's " + name + " button is absent or disabled");
  }
  return Result::bad("no bar button " + name);
}

// bar LABEL click CRUMB | press CONTROL | type "TEXT" | return | escape | grip press | grip
// drag DX,DY | grip release
Result barCommand(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: bar LABEL click CRUMB | press CONTROL | type TEXT | return | escape | grip press "
      "| grip drag DX,DY | grip release";
  if (args.size() < 2) return Result::bad(usage);
  auto found = bar(session, args[0]);
  if (auto* bad = std::get_if<Result>(&found)) return *bad;
  auto [panel, model, window] = std::get<Bar>(found);
  const std::string& verb = args[1];
  auto& panels = session.desktop().panels();
  if (verb == "click" && args.size() == 3) {
    for (const auto& crumb : model->crumbs.get()) {
      if (crumb.name != args[2]) continue;
      if (PathBarPresentation::clickCrumb(*model, crumb.fullPath)) return Result::ok();
      return Result::bad("the bar is read-only");
    }
    return Result::bad("no crumb " + args[2]);
  }
  if (verb == "press" && args.size() == 3) {
    return pressBarControl(session, window, *model, args[2]);
  }
  if (verb == "type" && args.size() == 3) {
    if (!model->isEditing.get() && !PathBarPresentation::beginEditing(*model)) {
      return Result::bad("the bar is read-only");
    }
    if (panel) panels.makeKey(panel->windowNumber());
    model->editText.set(args[2]);
    return Result::ok();
  }
  if (verb == "return" && args.size() == 2) {
    if (!model->isEditing.get()) return Result::bad("the bar is not being edited");
    model->commitEditing();
    return Result::ok();
  }
  if (verb == "escape" && args.size() == 2) {
    if (!panel || panels.keyPanel() != panel->windowNumber())
      return Result::bad("the bar is not key");
    panels.pressEscape();
    return Result::ok();
  }
  if (verb == "grip" && args.size() >= 3) {
    if (args[2] == "press" && model->onResizeBegan)
      model->onResizeBegan();
    else if (args[2] == "release" && model->onResizeEnded)
      model->onResizeEnded();
    else if (args[2] == "drag" && args.size() == 4) {
      auto delta = parsePoint(args[3]);
      if (!delta) return Result::bad(usage);
      if (model->onResize) model->onResize({delta->x, delta->y});
    } else {
      return Result::bad(usage);
    }
    return Result::ok();
  }
  return Result::bad(usage);
}

Result expectShown(const std::string& what, const Panel* panel, const std::string& wanted) {
  std::string got = panel && panel->isVisible() ? "shown" : "hidden";
  if (got == wanted) return Result::ok();
  return Result::failed(what + " " + wanted, got);
}

Result expectFrame(ScenarioSession& session, const std::string& what, const Panel* panel,
                   Arguments args) {
  auto origin = parsePoint(args[0]);
  auto size = parseSize(args[1]);
  if (!origin || !size) return Result::bad("usage: … frame X,Y WxH");
  Rect wanted = Rect::from(*origin, *size);
  auto window =
      panel ? session.desktop().windowServer().window(panel->windowNumber()) : std::nullopt;
  if (window && window->frame.isWithin(0.5, wanted)) return Result::ok();
  return Result::failed(what + " " + formatFrame(wanted),
                        window ? formatFrame(window->frame) : "none");
}

// expect bar LABEL shown | hidden | frame X,Y WxH | crumbs NAME… | readonly | editable |
// editing | showing | invalid | path PATH | label TEXT|none
Result expectBar(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect bar LABEL shown | hidden | frame X,Y WxH | crumbs NAME… | readonly | "
      "editable | editing | showing | invalid | path PATH | label TEXT|none";
  if (args.size() < 2) return Result::bad(usage);
  auto found = bar(session, args[0]);
  if (auto* bad = std::get_if<Result>(&found)) return *bad;
  auto [panel, model, window] = std::get<Bar>(found);
  const std::string& what = args[1];
  auto flag = [&](bool got, const std::string& name) {
    return got ? Result::ok() : Result::failed("bar " + name, "not " + name);
  };
  if (args.size() == 2 && (what == "shown" || what == "hidden"))
    return expectShown("bar " + args[0], panel, what);
  if (args.size() == 4 && what == "frame")
    return expectFrame(session, "bar", panel, args.subspan(2));
  if (args.size() == 2 && what == "readonly") return flag(model->isReadOnly.get(), what);
  if (args.size() == 2 && what == "editable") return flag(!model->isReadOnly.get(), what);
  if (args.size() == 2 && what == "editing") return flag(model->isEditing.get(), what);
  if (args.size() == 2 && what == "showing") return flag(!model->isEditing.get(), what);
  if (args.size() == 2 && what == "invalid") return flag(model->inputInvalid.get(), what);
  if (args.size() == 3 && what == "label") {
    const std::string got = model->readOnlyLabel.get().value_or("none");
    if (got == args[2]) return Result::ok();
    return Result::failed("label " + args[2], got);
  }
  if (args.size() == 3 && what == "path") {
    // Finder writes a folder's path with a final slash, a typed path may have none.
    auto folder = [](std::string path) {
      if (path.size() > 1 && path.back() == '/') path.pop_back();
      return path;
    };
    std::string wanted = session.expandHome(args[2]).string();
    if (folder(model->path.get()) == folder(wanted)) return Result::ok();
    return Result::failed("path " + wanted, model->path.get());
  }
  if (what == "crumbs") {
    std::string got;
    std::string wanted;
    for (const auto& crumb : model->crumbs.get()) got += (got.empty() ? "" : " ") + crumb.name;
    for (const auto& name : args.subspan(2)) wanted += (wanted.empty() ? "" : " ") + name;
    if (got == wanted) return Result::ok();
    return Result::failed("crumbs " + wanted, got.empty() ? "none" : got);
  }
  return Result::bad(usage);
}

// expect strip shown | hidden | frame X,Y WxH | enabled BUTTON… | on BUTTON…
Result expectStrip(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect strip shown | hidden | frame X,Y WxH | enabled BUTTON… | on BUTTON…";
  auto* overlay = session.overlays();
  if (!overlay) return Result::bad("Varnelo is not launched");
  if (args.empty()) return Result::bad(usage);
  if (args.size() == 1 && (args[0] == "shown" || args[0] == "hidden"))
    return expectShown("strip", overlay->stripPanel(), args[0]);
  if (args.size() == 3 && args[0] == "frame")
    return expectFrame(session, "strip", overlay->stripPanel(), args.subspan(1));
  if (args[0] != "enabled" && args[0] != "on") return Result::bad(usage);
  std::string got;
  std::string wanted;
  for (const auto& [name, value] : kButtons) {
    bool state = args[0] == "enabled" ? isEnabled(overlay->stripModel(), value)
                                      : isOn(overlay->stripModel(), value);
    if (state) got += (got.empty() ? "" : " ") + std::string(name);
  }
  for (const auto& name : args.subspan(1)) {
    if (!button(name)) return Result::bad("no strip button " + name);
    wanted += (wanted.empty() ? "" : " ") + name;
  }
  if (got == wanted) return Result::ok();
  return Result::failed(args[0] + " " + (wanted.empty() ? "none" : wanted),
                        got.empty() ? "none" : got);
}

// expect tooltip "TEXT" | none
Result expectTooltip(ScenarioSession& session, Arguments args) {
  auto* overlay = session.overlays();
  if (!overlay) return Result::bad("Varnelo is not launched");
  if (args.size() != 1) return Result::bad("usage: expect tooltip TEXT | none");
  const Panel* panel = overlay->stripTooltipPanel();
  std::string got = "none";
  if (panel && panel->isVisible()) {
    if (const auto* tip = std::get_if<TooltipContent>(&panel->content())) got = tip->text;
  }
  if (got == args[0]) return Result::ok();
  return Result::failed("tooltip " + args[0], got);
}

// expect panels N: Varnelo's panels that exist, shown or not.
Result expectPanels(ScenarioSession& session, Arguments args) {
  auto wanted = args.size() == 1 ? parseInteger(args[0]) : std::nullopt;
  if (!wanted) return Result::bad("usage: expect panels N");
  auto got = static_cast<std::int64_t>(session.desktop().panels().panels().size());
  if (got == *wanted) return Result::ok();
  return Result::failed(std::to_string(*wanted) + " panels", std::to_string(got));
}

}  // namespace

void addOverlayCommands(CommandTable& table) {
  table.add("strip", "press|hover|leave BUTTON", stripCommand);
  table.add("bar",
            "LABEL click CRUMB | press CONTROL | type TEXT | return | escape | grip press | grip "
            "drag DX,DY | grip "
            "release",
            barCommand);
  table.add("expect bar",
            "LABEL shown | hidden | frame X,Y WxH | crumbs NAME… | readonly | editable | editing | "
            "showing | invalid | path PATH | label TEXT|none",
            expectBar);
  table.add("expect strip", "shown | hidden | frame X,Y WxH | enabled BUTTON… | on BUTTON…",
            expectStrip);
  table.add("expect tooltip", "TEXT | none", expectTooltip);
  table.add("expect panels", "N", expectPanels);
}

}  // namespace varnelo::scenario
