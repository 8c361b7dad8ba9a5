// Every message box of the program goes through these two helpers. Their
// texts come from the string table of the program's own module, the one
// that carries the resources.
#ifndef ZANTO_COMMON_MESSAGE_BOX_H
#define ZANTO_COMMON_MESSAGE_BOX_H

#include <windows.h>

#include <cstddef>

constexpr UINT kMessageStyle = MB_OK | MB_ICONEXCLAMATION;
constexpr size_t kComposedMessageSize = 360;

// The module whose string table and dialog templates the program uses.
inline HINSTANCE ProgramModule() { return GetModuleHandleA(nullptr); }

// Shows text with the caption "Zanto Player"; owner may be null.
void ShowMessage(HWND owner, const char* text, UINT style);
// Shows string `id` of the program's string table.
void ShowMessageId(HWND owner, UINT id, UINT style);

#endif
