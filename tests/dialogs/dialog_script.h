// Drives modal dialogs of this thread from inside their own message loop: a
// script scheduled before the dialog opens runs on the dialog once it shows.
#ifndef ZANTO_TESTS_DIALOGS_DIALOG_SCRIPT_H
#define ZANTO_TESTS_DIALOGS_DIALOG_SCRIPT_H

#include <windows.h>

#include <functional>
#include <string>

using DialogScript = std::function<void(HWND dialog)>;

// Runs script on the next dialog of this thread that is visible and enabled
// (an owner dialog is disabled while a nested one runs). A script must end
// its dialog, e.g. with Press. Gives up after a few seconds.
void ScheduleScript(DialogScript script);
// True when the last scheduled script has run.
bool ScriptRan();

// Ends a dialog as its button would: IDOK, IDCANCEL.
void Press(HWND dialog, int id);
// A click on a button or check box inside a page, with its notification.
void ClickItem(HWND page, int id);
// The child page of the settings dialog that holds control id.
HWND PageWith(HWND dialog, int id);
bool IsEnabledItem(HWND page, int id);
std::string ItemText(HWND page, int id);

#endif
