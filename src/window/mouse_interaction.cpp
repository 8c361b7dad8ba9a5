// Mouse interaction of the skin window (hit tests, presses, drags) and the
// tooltip tools of the current skin.
#include "window/skin_window.h"

// Filled in with the mouse interaction: hit test, button faces, capture,
// window drag and the event slots.
void SkinWindow::OnLButtonDown(LPARAM) {}
void SkinWindow::OnMouseMove(LPARAM) {}
void SkinWindow::OnLButtonUp(LPARAM) {}

// Filled in with the tooltip tools; the control itself exists already.
bool SkinWindow::RegisterTooltips() { return true; }
