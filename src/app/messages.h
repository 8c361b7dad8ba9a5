// Every message box of the program goes through these two helpers.
#ifndef ZANTO_APP_MESSAGES_H
#define ZANTO_APP_MESSAGES_H

#include <windows.h>

#include <cstddef>

constexpr UINT kMessageStyle = MB_OK | MB_ICONEXCLAMATION;
constexpr size_t kComposedMessageSize = 360;

// Shows text with the caption "Zanto Player"; owner may be null.
void ShowMessage(HWND owner, const char* text, UINT style);
// Shows string `id` of the program's string table.
void ShowMessageId(HWND owner, UINT id, UINT style);

// The text shown when a skin window could not be created or its skin changed:
// chosen by the window's SkinStatus and, for a resource-file failure, by the
// parser's ParseStatus and line number. `out` holds kComposedMessageSize bytes.
void ComposeSkinFailure(int skinStatus, int parseStatus, int lineNumber, const char* resourcePath,
                        const char* errorText, char* out, size_t capacity);

#endif
