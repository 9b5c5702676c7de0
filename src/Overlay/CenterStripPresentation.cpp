#include "Overlay/CenterStripPresentation.h"

#include "Support/L10n.h"

namespace varnelo::CenterStripPresentation {
namespace {

struct ButtonRow {
  StripButton button;
  std::string_view symbol;
  std::optional<std::string_view> caption;
  L10n::Localized help;
};

constexpr L10n::Localized kShowSidebar{"サイドバーを表示", "Show Sidebar", "显示边栏"};

// Top to bottom; the sidebar button's help is the "hide" wording while they show.
constexpr std::array<ButtonRow, 8> kRows{{
    {StripButton::copyToRight,
     "arrowtriangle.right.fill",
     "copy",
     {"選択項目を右ペインへコピー", "Copy selection to the right pane", "将所选项拷贝到右窗格"}},
    {StripButton::copyToLeft,
     "arrowtriangle.left.fill",
     "copy",
     {"選択項目を左ペインへコピー", "Copy selection to the left pane", "将所选项拷贝到左窗格"}},
    {StripButton::moveToRight,
     "chevron.right.2",
     "move",
     {"選択項目を右ペインへ移動", "Move selection to the right pane", "将所选项移动到右窗格"}},
    {StripButton::moveToLeft,
     "chevron.left.2",
     "move",
     {"選択項目を左ペインへ移動", "Move selection to the left pane", "将所选项移动到左窗格"}},
    {StripButton::syncOtherPane,
     "equal",
     std::nullopt,
     {"アクティブ側の場所を反対ペインにも開く", "Open the active pane’s folder in the other pane",
      "在另一窗格中打开当前窗格的文件夹"}},
    {StripButton::swapPanes,
     "arrow.left.arrow.right",
     std::nullopt,
     {"左右のペインを入れ替え", "Swap the left and right panes", "交换左右窗格"}},
    {StripButton::sidebar,
     "sidebar.left",
     std::nullopt,
     {"サイドバーを隠す", "Hide Sidebar", "隐藏边栏"}},
    {StripButton::expandToScreen,
     "arrow.up.left.and.arrow.down.right",
     std::nullopt,
     {"2 ペインを画面全体に広げる", "Expand Two Panes to Fill Screen", "将双窗格扩展至全屏"}},
}};

const ButtonRow& row(StripButton button) {
  for (const auto& each : kRows) {
    if (each.button == button) return each;
  }
  return kRows.front();
}

}  // namespace

std::array<StripButtonFace, 8> buttons(const CenterStripModel& model) {
  std::array<StripButtonFace, 8> faces;
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const ButtonRow& each = kRows[i];
    faces[i] = {each.button,
                each.symbol,
                each.caption,
                help(each.button, model.sidebarHidden.get()),
                isEnabled(model, each.button),
                isOn(model, each.button)};
  }
  return faces;
}

std::string help(StripButton button, bool sidebarHidden) {
  if (button == StripButton::sidebar && sidebarHidden) return kShowSidebar.string();
  return row(button).help.string();
}

double backgroundOpacity(const StripButtonFace& face, bool hovered) {
  const bool lit = hovered && face.enabled;
  if (face.isOn) return lit ? 0.24 : 0.18;
  return lit ? 0.12 : 0.06;
}

double foregroundOpacity(const StripButtonFace& face) { return face.enabled ? 0.8 : 0.25; }

double sideAllowance(Metrics::WindowChrome chrome) {
  return chrome == Metrics::WindowChrome::modern ? 32 : 11;
}

bool press(CenterStripModel& model, StripButton button) {
  if (!isEnabled(model, button)) return false;
  auto call = [](const auto& callback, auto... args) {
    if (callback) callback(args...);
  };
  switch (button) {
    case StripButton::copyToRight:
      call(model.onTransfer, true, false);
      break;
    case StripButton::copyToLeft:
      call(model.onTransfer, false, false);
      break;
    case StripButton::moveToRight:
      call(model.onTransfer, true, true);
      break;
    case StripButton::moveToLeft:
      call(model.onTransfer, false, true);
      break;
    case StripButton::syncOtherPane:
      call(model.onSync);
      break;
    case StripButton::swapPanes:
      call(model.onSwap);
      break;
    case StripButton::sidebar:
      call(model.onToggleSidebar);
      break;
    case StripButton::expandToScreen:
      call(model.onExpand);
      break;
  }
  return true;
}

}  // namespace varnelo::CenterStripPresentation
