#include "common/message_box.h"

#include "common/fixed_text.h"
#include "resources/resource.h"

namespace {

char messageCaption[50];
char messageText[512];

}  // namespace

void ShowMessage(HWND owner, const char* text, UINT style) {
  LoadText(ProgramModule(), IDS_APP_NAME, messageCaption);
  MessageBoxA(owner, text, messageCaption, style);
}

void ShowMessageId(HWND owner, UINT id, UINT style) {
  LoadText(ProgramModule(), id, messageText);
  ShowMessage(owner, messageText, style);
}
