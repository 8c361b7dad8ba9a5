// The process-wide objects the dialogs read, pointed at a scratch folder.
#ifndef ZANTO_TESTS_DIALOGS_DIALOG_FIXTURE_H
#define ZANTO_TESTS_DIALOGS_DIALOG_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/test_support.h"

class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  DialogTest();
  ~DialogTest() override;

  Settings& settings() { return *appSettingsRecord_; }
  ScratchFolder folder;

 private:
  Settings* appSettingsRecord_;
};

#endif
