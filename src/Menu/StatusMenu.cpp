#include "Menu/StatusMenu.h"

#include "Support/L10n.h"

namespace varnelo::StatusMenu {
namespace {

using L10n::Localized;

constexpr Localized kEnablePair{"2 ペインにする", "Enable Two Panes", "启用双窗格"};
constexpr Localized kDisablePair{"2 ペインを解除", "Disable Two Panes", "取消双窗格"};
constexpr Localized kExpand{"2 ペインを画面全体に広げる", "Expand Two Panes to Fill Screen",
                            "将双窗格扩展至全屏"};
constexpr Localized kHideSidebar{"サイドバーを隠す", "Hide Sidebar", "隐藏边栏"};
constexpr Localized kAccent{"パスバーの色", "Path Bar Color", "路径栏颜色"};
constexpr Localized kTerminal{"ターミナルのアプリ", "Terminal App", "终端应用"};
constexpr Localized kAutomatic{"自動", "Automatic", "自动"};
constexpr Localized kOther{"その他…", "Other…", "其他…"};
constexpr Localized kSetup{"セットアップ…", "Setup…", "设置…"};
constexpr Localized kReveal{"「Finder で表示」をこのアプリで受ける",
                            "Handle “Show in Finder” with This App", "由本 App 处理“在访达中显示”"};
constexpr Localized kLogin{"ログイン時に起動", "Open at Login", "登录时启动"};
constexpr Localized kLoginApproval{"ログイン時に起動（システム設定で承認が必要）",
                                   "Open at Login (Approval Required in System Settings)",
                                   "登录时启动（需在系统设置中批准）"};
constexpr Localized kCopyDiagnostics{"診断情報をコピー", "Copy Diagnostics", "拷贝诊断信息"};
constexpr Localized kDump{"現在のウィンドウをダンプ", "Dump Current Windows", "转储当前窗口"};
constexpr Localized kOpenLog{"ログを開く…", "Open Log…", "打开日志…"};
constexpr Localized kDebugLog{"デバッグログを出力", "Verbose Logging", "输出调试日志"};
constexpr Localized kRequestAX{"アクセシビリティ許可を要求", "Request Accessibility Permission",
                               "请求辅助功能权限"};
constexpr Localized kOpenAXSettings{"アクセシビリティ設定を開く", "Open Accessibility Settings",
                                    "打开辅助功能设置"};
constexpr Localized kCheckAE{"Apple Events 許可を確認", "Check Apple Events Permission",
                             "检查 Apple 事件权限"};
constexpr Localized kUninstall{"アンインストールの準備…", "Prepare to Uninstall…", "准备卸载…"};
constexpr Localized kQuit{"終了", "Quit", "退出"};
constexpr Localized kStatusOK{"状態: 正常", "Status: OK", "状态：正常"};
constexpr Localized kAppleEvents{"Finder 操作（Apple Events）", "Finder Control (Apple Events)",
                                 "访达操作（Apple Events）"};

MenuItem item(std::string_view command, const Localized& title, bool enabled = true,
              bool checked = false) {
  return {std::string(command), title.string(), enabled, checked, {}, {}};
}

std::vector<MenuItem> accentItems(AccentPreset current) {
  std::vector<MenuItem> items;
  for (AccentPreset preset : kAllAccentPresets) {
    const std::string raw(rawValue(preset));
    items.push_back({std::string(Command::selectAccent) + raw,
                     displayName(preset),
                     true,
                     preset == current,
                     MenuImage{MenuImage::Kind::swatch, raw, 12},
                     {}});
  }
  return items;
}

std::vector<MenuItem> terminalItems(const StatusMenuState& state) {
  std::vector<MenuItem> items;
  items.push_back(item(Command::selectTerminal, kAutomatic, true, !state.terminalBundleID));
  items.push_back(MenuItem::separator());
  for (const auto& terminal : state.terminals) {
    items.push_back({std::string(Command::selectTerminal) + terminal.bundleID,
                     terminal.name,
                     true,
                     state.terminalBundleID == terminal.bundleID,
                     MenuImage{MenuImage::Kind::applicationIcon, terminal.url, 16},
                     {}});
  }
  if (state.terminalBundleID && state.customTerminal) {
    items.push_back({std::string(Command::selectTerminal) + *state.terminalBundleID,
                     state.customTerminal->name,
                     true,
                     true,
                     MenuImage{MenuImage::Kind::applicationIcon, state.customTerminal->url, 16},
                     {}});
  }
  items.push_back(MenuItem::separator());
  items.push_back(item(Command::chooseTerminal, kOther));
  return items;
}

}  // namespace

Menu build(const StatusMenuState& state) {
  Menu menu;
  menu.push_back(item(Command::togglePair, state.paired ? kDisablePair : kEnablePair));
  menu.push_back(item(Command::expandPair, kExpand, state.paired));
  menu.push_back(item(Command::toggleSidebar, kHideSidebar, state.paired, state.sidebarHidden));
  MenuItem accent = item("", kAccent);
  accent.submenu = accentItems(state.accent);
  menu.push_back(accent);
  MenuItem terminal = item("", kTerminal);
  terminal.submenu = terminalItems(state);
  menu.push_back(terminal);
  menu.push_back(MenuItem::separator());
  menu.push_back(item(Command::openSetup, kSetup));
  menu.push_back(item(Command::toggleReveal, kReveal, true, state.revealRegistered));
  const bool awaitingApproval = state.loginStatus == LoginItemStatus::requiresApproval;
  menu.push_back(item(Command::toggleLaunchAtLogin, awaitingApproval ? kLoginApproval : kLogin,
                      true, state.loginStatus == LoginItemStatus::enabled));
  menu.push_back(MenuItem::separator());
  menu.push_back({std::string(Command::health), state.healthLine, false, false, {}, {}});
  menu.push_back(item(Command::copyDiagnostics, kCopyDiagnostics));
  menu.push_back(MenuItem::separator());
  menu.push_back(item(Command::dump, kDump));
  menu.push_back(item(Command::openLog, kOpenLog));
  menu.push_back(item(Command::toggleDebugLogging, kDebugLog, true, state.debugLogging));
  menu.push_back(MenuItem::separator());
  menu.push_back(item(Command::requestAX, kRequestAX));
  menu.push_back(item(Command::openAXSettings, kOpenAXSettings));
  menu.push_back(item(Command::checkAE, kCheckAE));
  menu.push_back(MenuItem::separator());
  menu.push_back(item(Command::prepareUninstall, kUninstall));
  menu.push_back(item(Command::quit, kQuit));
  return menu;
}

std::vector<std::string> degradedNames(const std::vector<HealthMonitor::Dependency>& degraded,
                                       bool appleEventsGranted) {
  std::vector<std::string> names;
  if (!appleEventsGranted) names.push_back(kAppleEvents.string());
  for (auto dependency : degraded) names.emplace_back(label(dependency, L10n::lang()));
  return names;
}

std::string healthLine(const std::vector<std::string>& names) {
  if (names.empty()) return kStatusOK.string();
  std::string detail;
  for (const auto& name : names) {
    if (!detail.empty()) detail += ", ";
    detail += name;
  }
  return L10n::statusDegraded(detail);
}

}  // namespace varnelo::StatusMenu
