// The Qt application the views need, made on first use when none exists: on the offscreen
// platform unless QT_QPA_PLATFORM names another, so pictures and widget tests need no
// display. Main (GUI) thread only; it lives until the process ends.
#pragma once

namespace varnelo::qt {

void ensureApplication();

}  // namespace varnelo::qt
