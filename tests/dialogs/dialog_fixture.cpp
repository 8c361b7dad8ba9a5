#include "dialogs/dialog_fixture.h"

#include <commctrl.h>

#include "app/application.h"
#include "common/fixed_text.h"
#include "common/path_text.h"

void DialogTest::SetUpTestSuite() {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
}

DialogTest::DialogTest() {
  appSettings.reset(new Settings);
  appSettingsRecord_ = appSettings.get();
  CopyText(appSettings->iniFolder, folder.path().c_str());
  AppendBackslash(appSettings->iniFolder, sizeof(appSettings->iniFolder));
}

DialogTest::~DialogTest() { appSettings.reset(); }
