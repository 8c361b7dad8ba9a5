// Drives modal dialogs of this thread from inside their own message loop: a
// script scheduled before a dialog opens runs on it once it shows. The fixture
// points the process-wide settings at a scratch folder.
#ifndef ZANTO_TESTS_DIALOGS_DIALOG_SCRIPT_H
#define ZANTO_TESTS_DIALOGS_DIALOG_SCRIPT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/settings.h"
#include "support/test_support.h"

using DialogScript = std::function<void(HWND dialog)>;

// Runs script on the next visible, enabled dialog of this thread (an owner is
// disabled while its nested dialog runs). The script must end that dialog.
void ScheduleScript(DialogScript script);
bool ScriptRan();
// Drops a script that found no dialog, so that it cannot run on a later one.
void CancelScript();

// Ends a dialog as its button would.
void Press(HWND dialog, int id);
// A click on a page control, with its notification.
void ClickItem(HWND page, int id);
// The child page of the settings dialog that holds control id.
HWND PageWith(HWND dialog, int id);
bool IsEnabledItem(HWND page, int id);
std::string ItemText(HWND page, int id);

class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  DialogTest();
  ~DialogTest() override;
  Settings& settings();

  ScratchFolder folder;
};

#endif
