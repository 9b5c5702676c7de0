#include "Menu/LaunchAtLogin.h"

#include "Support/Log.h"

namespace varnelo::LaunchAtLogin {

std::string statusText(int status) {
  switch (status) {
    case LoginItemStatus::notRegistered:
      return "無効";
    case LoginItemStatus::enabled:
      return "有効";
    case LoginItemStatus::requiresApproval:
      return "承認待ち（システム設定で許可が必要）";
    case LoginItemStatus::notFound:
      return "登録先が見つからない（アプリを移動した可能性）";
    default:
      return "不明";
  }
}

bool enable(LoginItems& items) {
  if (auto error = items.registerMainApp()) {
    Log::emit("login", "ログイン時起動の登録に失敗: " + *error);
    return false;
  }
  Log::emit("login", "ログイン時起動を登録しました（状態: " + statusText(items.status()) + "）");
  return true;
}

bool disable(LoginItems& items) {
  if (auto error = items.unregisterMainApp()) {
    Log::emit("login", "ログイン時起動の解除に失敗: " + *error);
    return false;
  }
  Log::emit("login", "ログイン時起動を解除しました");
  return true;
}

void toggle(LoginItems& items) {
  const int status = items.status();
  if (status == LoginItemStatus::requiresApproval) {
    items.openSystemSettingsLoginItems();
  } else if (status == LoginItemStatus::enabled) {
    disable(items);
  } else {
    enable(items);
  }
}

}  // namespace varnelo::LaunchAtLogin
