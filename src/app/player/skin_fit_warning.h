// The warning for a skin that loaded but makes a window hard to use.
#ifndef ZANTO_APP_SKIN_FIT_WARNING_H
#define ZANTO_APP_SKIN_FIT_WARNING_H

class SkinWindow;

// Once the window shows its new skin: a message box owned by the window when
// the background is too small to take hold of or too large for every
// monitor's work area (JudgeBackgroundFit); nothing otherwise. The skin stays.
void WarnIfSkinHardToUse(const SkinWindow& window, const char* resourcePath);

#endif
