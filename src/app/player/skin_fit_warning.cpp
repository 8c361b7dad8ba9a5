#include "app/player/skin_fit_warning.h"

#include "app/messages.h"
#include "window/background_fit.h"
#include "window/skin_window.h"

void WarnIfSkinHardToUse(const SkinWindow& window, const char* resourcePath) {
  SIZE areas[kMaxMonitors];
  const int count = MonitorWorkAreas(areas, kMaxMonitors);
  SIZE largest = {0, 0};
  const int width = window.backgroundPicture.Width();
  const int height = window.backgroundPicture.Height();
  const BackgroundFit fit = JudgeBackgroundFit(width, height, areas, count, &largest);
  if (fit == BackgroundFits) return;
  char message[kComposedMessageSize];
  ComposeSkinFitWarning(fit, width, height, largest, resourcePath, message, sizeof(message));
  ShowMessage(window.hwnd, message, kMessageStyle);
}
