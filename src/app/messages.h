// The program's composed messages; the message boxes themselves are in
// common/message_box.h.
#ifndef ZANTO_APP_MESSAGES_H
#define ZANTO_APP_MESSAGES_H

#include <windows.h>

#include <cstddef>

#include "common/message_box.h"
#include "skin/image_buffer.h"
#include "window/background_fit.h"

class SkinWindow;
struct CueProblem;

// Why a skin window could not be created or its skin changed: the window's
// SkinStatus; for a resource-file failure the parser's ParseStatus and line
// number; for a picture, errorText naming it and why it failed.
struct SkinFailure {
  int skinStatus = 0;
  int parseStatus = 0;
  int lineNumber = 0;
  const char* errorText = "";
  ImageStatus pictureStatus = ImageOk;
  PictureSize refusedSize;
};

// What a failed window's fields say.
SkinFailure FailureOf(const SkinWindow& window);

// The message for the failure: the design's text, a line saying why where it
// is not plain from the text, the resource file's path or the picture's key
// and path, and, when the default skin was loaded in its place, a last line
// saying so (kept whole: a long path is cut before it). `out` holds
// kComposedMessageSize bytes.
void ComposeSkinFailure(const SkinFailure& failure, const char* resourcePath,
                        bool defaultSkinUsed, char* out, size_t capacity);

// The warning for a skin that loaded but makes a window too small to take
// hold of or too large for any screen (JudgeBackgroundFit), naming its
// resource file; empty when the skin fits.
void ComposeSkinFitWarning(BackgroundFit fit, int width, int height, SIZE largestWorkArea,
                           const char* resourcePath, char* out, size_t capacity);

// Why a disc image cannot be played: the problem's text, with the sheet's
// line, the data file's path (`dataPath`) or the sheet's own path.
void ComposeDiscImageFailure(const CueProblem& problem, const char* cuePath, const char* dataPath, char* out,
                             size_t capacity);

#endif
