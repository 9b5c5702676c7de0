// Sends another application's open or save dialog to a folder by driving the dialog's own
// go-to-folder sheet: "/" (⌘⇧G when "/" opens nothing within about 0.6 s), the path into
// the sheet's field, Return. Every key is posted only while the dialog's owner is the
// frontmost application: keys go to whoever is in front, and a stray Return in another
// application may send or confirm something. A refused target or a sheet that never
// opens is logged under "nav". Main thread only; the ports outlive every retry.
#pragma once

#include <functional>
#include <optional>

#include "Platform/Ports.h"
#include "Platform/Url.h"

namespace varnelo::DialogNavigator {

inline constexpr Duration kPollInterval = seconds(0.005);
inline constexpr Duration kReturnDelay = seconds(0.008);
inline constexpr int kPollAttempts = 120;

// True when a navigation was started (not that it succeeded); false for the folder shown
// already, for a target that is no existing folder and while the owner is not in front
// (then no key is sent). `gaveUp` is called when a started navigation is abandoned.
bool navigate(const Ports& ports, const AXElement& dialog, const std::optional<Url>& from,
              const Url& to, std::function<void()> gaveUp = {});

// The text field of the go-to-folder sheet open on the dialog, if any.
std::optional<AXElement> goToFolderField(Accessibility& ax, const AXElement& dialog);

}  // namespace varnelo::DialogNavigator
