#include "Menu/SystemNotices.h"

#include "Menu/LaunchAtLogin.h"
#include "Permissions/PermissionsService.h"
#include "Routing/RevealHandler.h"
#include "Support/L10n.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

using L10n::Localized;

constexpr Localized kDone{"完了", "Done", "完成"};

constexpr Localized kMoveFailed{"移動できませんでした", "Move Failed", "移动失败"};
constexpr Localized kMoveFailedInfo{
    "Finder "
    "がファイルを移動できませんでした。書類・デスクトップ・ダウンロードなどの保護フォルダでは、"
    "フルディスクアクセスが必要です。設定で許可してからもう一度お試しください。",
    "Finder could not move the files. Protected folders (Documents, Desktop, Downloads) require "
    "Full Disk Access. Grant it in Settings and try again.",
    "访达无法移动文件。文稿、桌面、下载等受保护文件夹需要完全磁盘访问权限。请在设置中授权后重试。"};
constexpr Localized kOpenFullDiskAccess{"フルディスクアクセスを開く", "Open Full Disk Access",
                                        "打开完全磁盘访问"};

constexpr Localized kRevealQuestion{"「Finder で表示」をこのアプリで受けますか？",
                                    "Handle “Show in Finder” with this app?",
                                    "由本 App 处理“在访达中显示”？"};
constexpr Localized kRevealInfo{
    "他アプリの「Finder で表示 / Reveal in Finder」が、Finder ではなく Varnelo "
    "に届くようになり、素の Finder ウィンドウを開かずに 2 ペインへ直接表示します。\n\n"
    "これは macOS 全体に影響する設定（NSFileViewer）です。このメニューでいつでも解除でき、"
    "アプリ終了時にも自動で解除されます。\n\n"
    "注意: Dock や Firefox など、この設定を無視するアプリもあります。",
    "“Show in Finder / Reveal in Finder” from other apps will be delivered to Varnelo instead of "
    "Finder, showing the item directly in your two panes without opening a plain Finder "
    "window.\n\nThis is a system-wide setting (NSFileViewer). You can turn it off anytime from "
    "this menu, and it is removed automatically when the app quits.\n\nNote: some apps, such as "
    "the Dock and Firefox, ignore this setting.",
    "其他 App 的“在访达中显示”将发送到 Varnelo "
    "而非访达，无需打开普通访达窗口即可直接在双窗格中显示。\n\n"
    "这是影响整个 macOS 的设置（NSFileViewer）。你可以随时从此菜单关闭，退出 App "
    "时也会自动解除。\n\n"
    "注意：Dock 和 Firefox 等部分 App 会忽略此设置。"};
constexpr Localized kEnable{"有効にする", "Enable", "启用"};
constexpr Localized kCancel{"キャンセル", "Cancel", "取消"};
constexpr Localized kRegistrationFailed{"登録できませんでした", "Registration Failed", "注册失败"};
constexpr Localized kRegistrationFailedInfo{
    "NSFileViewer への書き込みが反映されませんでした。ログを確認してください。",
    "The write to NSFileViewer did not take effect. Please check the log.",
    "写入 NSFileViewer 未生效。请检查日志。"};
constexpr Localized kOk{"OK", "OK", "好"};

constexpr Localized kUninstall{"アンインストールの準備", "Prepare to Uninstall", "准备卸载"};
constexpr Localized kUninstallInfo{
    "システムに残る設定を元に戻します:\n・「Finder で表示」の受け取り登録を解除\n"
    "・ログイン時の自動起動をオフ\nこの後、アプリを終了して Finder "
    "でゴミ箱に入れてください。ログの場所も開きます。",
    "This reverts settings left in the system:\n· Unregister the “Show in Finder” receiver\n· "
    "Turn off Open at Login\nAfterwards, quit the app and move it to Trash in Finder. The log "
    "folder will open too.",
    "这将还原留在系统中的设置：\n· 取消“在访达中显示”的接收注册\n· "
    "关闭登录时启动\n之后请退出应用并在访达中移到废纸篓。日志所在位置也会打开。"};
constexpr Localized kRevert{"元に戻す", "Revert", "还原"};
constexpr Localized kUninstallDone{"完了しました", "Done", "已完成"};
constexpr Localized kUninstallDoneInfo{
    "システム設定を元に戻しました。アプリを終了し、Finder でアプリをゴミ箱に入れてください。",
    "System settings reverted. Quit the app and move it to Trash in Finder.",
    "已还原系统设置。请退出应用并在访达中将其移到废纸篓。"};

Alert alert(AlertStyle style, const Localized& message, const Localized& info,
            std::vector<std::string> buttons) {
  return {style, message.string(), info.string(), std::move(buttons)};
}

}  // namespace

std::shared_ptr<SystemNotices> SystemNotices::create(const Ports& ports) {
  return std::shared_ptr<SystemNotices>(new SystemNotices(ports));
}

void SystemNotices::presentMoveFailure() {
  if (moveFailureShowing_) return;
  moveFailureShowing_ = true;
  ports_.application.activateIgnoringOtherApps();
  ports_.alerts.show(alert(AlertStyle::warning, kMoveFailed, kMoveFailedInfo,
                           {kOpenFullDiskAccess.string(), kDone.string()}),
                     [weak = weak_from_this()](std::size_t button) {
                       auto self = weak.lock();
                       if (!self) return;
                       if (button == 0) {
                         self->ports_.workspace.openUrl(PermissionsService::privacySettings(
                             PermissionsService::kFullDiskAccessAnchor));
                       }
                       self->moveFailureShowing_ = false;
                     });
}

void SystemNotices::toggleReveal(std::function<void()> done) {
  if (RevealHandler::isRegisteredViewer(ports_)) {
    RevealHandler::unregister(ports_);
    if (done) done();
    return;
  }
  ports_.application.activateIgnoringOtherApps();
  ports_.alerts.show(alert(AlertStyle::informational, kRevealQuestion, kRevealInfo,
                           {kEnable.string(), kCancel.string()}),
                     [weak = weak_from_this(), done = std::move(done)](std::size_t button) {
                       auto self = weak.lock();
                       if (self && button == 0 && !RevealHandler::registerViewer(self->ports_)) {
                         self->ports_.alerts.show(alert(AlertStyle::warning, kRegistrationFailed,
                                                        kRegistrationFailedInfo, {kOk.string()}),
                                                  {});
                       }
                       if (done) done();
                     });
}

void SystemNotices::presentUninstall() {
  ports_.application.activateIgnoringOtherApps();
  ports_.alerts.show(alert(AlertStyle::informational, kUninstall, kUninstallInfo,
                           {kRevert.string(), kDone.string()}),
                     [weak = weak_from_this()](std::size_t button) {
                       auto self = weak.lock();
                       if (self && button == 0) self->revertForUninstall();
                     });
}

void SystemNotices::revertForUninstall() {
  if (RevealHandler::isRegisteredViewer(ports_)) {
    RevealHandler::unregister(ports_);
    Log::emit("reveal", "アンインストール準備: NSFileViewer 登録を解除しました");
  }
  if (ports_.loginItems.status() == LoginItemStatus::enabled) {
    LaunchAtLogin::disable(ports_.loginItems);
    Log::emit("general", "アンインストール準備: ログイン時起動をオフにしました");
  }
  if (auto log = Log::fileURL()) {
    ports_.workspace.activateFileViewerSelecting({Url::fileUrl(log->string())});
  }
  ports_.alerts.show(
      alert(AlertStyle::informational, kUninstallDone, kUninstallDoneInfo, {kDone.string()}), {});
}

}  // namespace varnelo
