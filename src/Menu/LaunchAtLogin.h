// Varnelo as a login item of the current user: registering, unregistering, and the one
// rule every caller follows for "Open at Login". Refusals go to the log ("login") and
// answer false; callers read the status again rather than trusting the answer.
// Main thread only.
#pragma once

#include <string>

#include "Platform/LoginItems.h"

namespace varnelo::LaunchAtLogin {

// How the log names a status: "無効", "有効", "承認待ち（…）", "登録先が見つからない（…）", "不明".
std::string statusText(int status);
bool enable(LoginItems& items);
bool disable(LoginItems& items);
// Awaiting approval sends the user to the login items settings, since another
// registration would change nothing; enabled disables; anything else enables.
void toggle(LoginItems& items);

}  // namespace varnelo::LaunchAtLogin
