// Widget painting of the skin window: the activation repaint and the routines
// that compose each widget into the back buffer.
#include "window/skin_window.h"

// Filled in with the widget painting; until then the background drawn by
// ApplySkin is all the window shows.
bool SkinWindow::RefreshToggleButtons() { return true; }
bool SkinWindow::PaintVolumeControl() { return true; }
bool SkinWindow::PaintSeekBar() { return true; }
bool SkinWindow::PaintTimeWindow() { return true; }
bool SkinWindow::PaintTextWindow() { return true; }

// Filled in with the widget painting (active and inactive background).
void SkinWindow::OnActivate(WPARAM) {}
