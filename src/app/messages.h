// The program's composed messages; the message boxes themselves are in
// common/message_box.h.
#ifndef ZANTO_APP_MESSAGES_H
#define ZANTO_APP_MESSAGES_H

#include <windows.h>

#include <cstddef>

#include "common/message_box.h"

// The text shown when a skin window could not be created or its skin changed:
// chosen by the window's SkinStatus and, for a resource-file failure, by the
// parser's ParseStatus and line number. `out` holds kComposedMessageSize bytes.
void ComposeSkinFailure(int skinStatus, int parseStatus, int lineNumber, const char* resourcePath,
                        const char* errorText, char* out, size_t capacity);

#endif
