// A picture of the simulated desktop as a person would see it: each screen's wallpaper,
// the menu bar and the Dock, every on-screen window back to front (Finder's browser
// windows with their title, sidebar and the folder's entries from the real file system,
// other applications' windows plain) and Varnelo's panels drawn by the real views.
// Never fails: what it cannot read it leaves out. Main (GUI) thread only, with a
// QApplication alive.
#pragma once

#include <QImage>

#include "Sim/SimDesktop.h"

namespace varnelo::qt {

// `scale` 2 gives a picture at twice the screens' point size.
QImage paintDesktop(sim::SimDesktop& desktop, qreal scale = 1);

}  // namespace varnelo::qt
