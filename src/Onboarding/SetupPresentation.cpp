#include "Onboarding/SetupPresentation.h"

#include "Support/L10n.h"

namespace varnelo::SetupPresentation {
namespace {

using L10n::Localized;

constexpr Localized kTitle{"Varnelo のセットアップ", "Set Up Varnelo", "设置 Varnelo"};
constexpr Localized kIntroduction{
    "実際の Finder に重ねて動くため、いくつかの許可が要ります。",
    "Because it works on top of the real Finder, a few permissions are needed.",
    "本应用叠加在真实的访达之上运行，因此需要若干权限。"};
constexpr Localized kGranted{"許可済み", "Granted", "已授权"};
constexpr Localized kDenied{"未許可", "Not granted", "未授权"};
constexpr Localized kRecommended{"推奨", "Recommended", "推荐"};
constexpr Localized kUnknown{"未確認", "Unknown", "未确认"};
constexpr Localized kAccessibility{"アクセシビリティ", "Accessibility", "辅助功能"};
constexpr Localized kAccessibilityBody{
    "Finder のウィンドウを読み取り、パスバーや中央ストリップを重ねるのに必須です。",
    "Required to read Finder windows and overlay the path bar and center strip.",
    "读取访达窗口并叠加路径栏和中央条所必需。"};
constexpr Localized kAppleEvents{"Finder の操作（Apple Events）",
                                 "Controlling Finder (Apple Events)", "操作访达（Apple Events）"};
constexpr Localized kAppleEventsBody{
    "移動・コピー・場所の切り替えなど、Finder への指示に必須です。これが無いと操作が効きません。",
    "Required to instruct Finder: move, copy, change location. Without it, actions do nothing.",
    "向访达发送指令（移动、拷贝、切换位置）所必需。缺少它操作将无效。"};
constexpr Localized kFullDiskAccess{"フルディスクアクセス", "Full Disk Access", "完全磁盘访问"};
constexpr Localized kFullDiskAccessBody{
    "書類・デスクトップ・ダウンロードなど保護されたフォルダ間で「移動」するのに必要です（コピーや手"
    "動ドラッグには不要）。",
    "Needed to “move” between protected folders like Documents, Desktop, Downloads (not needed "
    "for copy or manual drag).",
    "在文稿、桌面、下载等受保护文件夹之间“移动”时需要（拷贝或手动拖放不需要）。"};
constexpr Localized kFullDiskAccessNote{
    "この項目はアプリ側から確認できません。移動が効かないときはここを確認してください。",
    "This one can’t be checked from the app. If moves don’t work, check here.",
    "此项无法从应用内检测。若移动无效，请检查此处。"};
constexpr Localized kOptions{"オプション（任意）", "Options (optional)", "选项（可选）"};
constexpr Localized kReveal{"「Finder で表示」をこのアプリで受ける",
                            "Handle “Show in Finder” with This App", "由本 App 处理“在访达中显示”"};
constexpr Localized kRevealBody{
    "他アプリの「Finder で表示」を横取りして 2 ペインに流し込みます。全アプリに影響する設定です。",
    "Intercept “Show in Finder” from other apps and route it into the two panes. This is a "
    "system-wide setting.",
    "拦截其他应用的“在访达中显示”并导入到双窗格。这是影响全系统的设置。"};
constexpr Localized kLogin{"ログイン時に起動", "Open at Login", "登录时启动"};
constexpr Localized kLoginApproval{"ログイン時に起動（システム設定で承認が必要）",
                                   "Open at Login (Approval Required in System Settings)",
                                   "登录时启动（需在系统设置中批准）"};
constexpr Localized kLoginBody{"Mac にサインインしたときに自動で起動します。",
                               "Start automatically when you sign in to your Mac.",
                               "登录 Mac 时自动启动。"};
constexpr Localized kGrant{"許可する", "Grant", "授权"};
constexpr Localized kOpenSettings{"設定を開く", "Open Settings", "打开设置"};
constexpr Localized kRecheck{"再確認", "Re-check", "重新检查"};
constexpr Localized kDone{"完了", "Done", "完成"};

SetupStatus granted(bool yes) { return yes ? SetupStatus::granted : SetupStatus::denied; }

}  // namespace

std::string title() { return kTitle.string(); }

SetupStatusFace status(SetupStatus status) {
  switch (status) {
    case SetupStatus::granted:
      return {"checkmark.circle.fill", SystemColor::green, kGranted.string()};
    case SetupStatus::denied:
      return {"exclamationmark.circle.fill", SystemColor::red, kDenied.string()};
    case SetupStatus::recommended:
      return {"circle.dashed", SystemColor::orange, kRecommended.string()};
    case SetupStatus::unknown:
      break;
  }
  return {"questionmark.circle", SystemColor::secondaryLabel, kUnknown.string()};
}

SetupFace present(const SetupModel& model) {
  SetupFace face;
  face.title = kTitle.string();
  face.introduction = kIntroduction.string();
  face.permissions[0] = {"accessibility",
                         kAccessibility.string(),
                         kAccessibilityBody.string(),
                         status(granted(model.axGranted.get())),
                         std::nullopt,
                         SetupControl::grantAccessibility,
                         SetupControl::openAccessibilitySettings};
  face.permissions[1] = {"gearshape.2",
                         kAppleEvents.string(),
                         kAppleEventsBody.string(),
                         status(granted(model.aeGranted.get())),
                         std::nullopt,
                         SetupControl::grantAppleEvents,
                         SetupControl::openAutomationSettings};
  face.permissions[2] = {"externaldrive",
                         kFullDiskAccess.string(),
                         kFullDiskAccessBody.string(),
                         status(model.fdaStatus.get()),
                         kFullDiskAccessNote.string(),
                         std::nullopt,
                         SetupControl::openFullDiskAccessSettings};
  face.optionsHeading = kOptions.string();
  face.options[0] = {"arrow.down.forward.square", kReveal.string(), kRevealBody.string(),
                     model.revealEnabled.get(), SetupControl::revealSwitch};
  face.options[1] = {"power", (model.launchNeedsApproval.get() ? kLoginApproval : kLogin).string(),
                     kLoginBody.string(), model.launchAtLogin.get(), SetupControl::loginSwitch};
  face.grantButton = kGrant.string();
  face.openSettingsButton = kOpenSettings.string();
  face.recheckButton = kRecheck.string();
  face.doneButton = kDone.string();
  return face;
}

void press(SetupModel& model, SetupControl control) {
  switch (control) {
    case SetupControl::grantAccessibility:
      return model.grantAccessibility();
    case SetupControl::openAccessibilitySettings:
      return model.openAccessibilitySettings();
    case SetupControl::grantAppleEvents:
      return model.grantAppleEvents();
    case SetupControl::openAutomationSettings:
      return model.openAutomationSettings();
    case SetupControl::openFullDiskAccessSettings:
      return model.openFullDiskAccessSettings();
    case SetupControl::revealSwitch:
      return model.toggleReveal();
    case SetupControl::loginSwitch:
      return model.toggleLaunchAtLogin();
    case SetupControl::recheck:
      return model.refresh();
    case SetupControl::done:
      return model.done();
  }
}

}  // namespace varnelo::SetupPresentation
