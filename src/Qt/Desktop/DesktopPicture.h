// A picture of the simulated desktop as a person would see it: each screen's wallpaper,
// the menu bar and the Dock, every on-screen window back to front (Finder's browser
// windows with their title, sidebar and the folder's entries from the real file system,
// other applications' windows plain) and Varnelo's panels drawn by the real views.
// Never fails: what it cannot read it leaves out. Main (GUI) thread only, with a
// QApplication alive.
#pragma once

#include <QImage>
#include <QPainter>

#include "Sim/SimDesktop.h"

namespace varnelo::qt {

// `scale` 2 gives a picture at twice the screens' point size.
QImage paintDesktop(sim::SimDesktop& desktop, qreal scale = 1);

// What the live desktop leaves out of the drawing, to show it with live widgets instead.
struct DesktopLayers {
  bool panels = true;
  bool statusMenu = true;
  // The setup window's content and the front alert (the setup window's frame is drawn).
  bool varneloWindows = true;
};

// Where the setup window's content of this size stands (its title bar above it), and the
// front alert of this size, on the primary screen.
QRectF setupContentFrame(const QRectF& primary, QSize content);
QRectF alertFrame(const QRectF& primary, QSize alert);

// The screens' united frame in top-left desktop coordinates (1440 by 900 without one).
QRectF desktopBounds(sim::SimDesktop& desktop);
// Draws the desktop onto a painter in desktop coordinates.
void paintDesktop(QPainter& painter, sim::SimDesktop& desktop, const DesktopLayers& layers);

}  // namespace varnelo::qt
