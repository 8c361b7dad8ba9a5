// One thing a skin checker finds wrong with a skin, and its text.
#ifndef ZANTO_SKINCHECK_SKIN_PROBLEM_H
#define ZANTO_SKINCHECK_SKIN_PROBLEM_H

#include <cstddef>

#include "skin/skin_model.h"

enum ProblemKind : int {
  // The player refuses the skin.
  ProblemCannotOpen = 0,
  ProblemReadFailed,
  ProblemLineTooLong,
  ProblemOutOfMemory,
  ProblemPictureNotNamed,   // key: the picture key the player needs
  ProblemPictureFailed,     // key, detail: path, number: ImageStatus
  ProblemWorkPictures,      // number x otherNumber: the background size
  ProblemRegionFailed,
  ProblemEmptyShape,        // the background is all magenta: no window to see
  ProblemFileTooLarge,      // detail: the resource file's path
  ProblemPictureTooLarge,   // key, detail: path, number x otherNumber: its size
  // It loads, but not as the author meant.
  ProblemButtonOutside,     // key, line
  ProblemButtonTransparent, // key, line
  ProblemButtonsOverlap,    // key and line win over detail and otherLine
  ProblemPictureSmaller,    // key, detail: path
  ProblemMapNoGrey,         // key: the map's key, detail: its rectangle's key
  ProblemVolumeStrip,       // number: strip width, otherNumber: frame count
  ProblemTimeFontCells,     // number: picture width, otherNumber: cell width
  ProblemTextWindowOutside, // line
  ProblemKeyTwice,          // key, line: the one that wins, otherLine: the first
  ProblemUnknownKey,        // key: the word, line, detail: the nearest key or ""
  ProblemRaggedShape,       // number: rectangles of the window region
  ProblemFewNumbers,        // key, line, number: the numbers its rectangle gives
  ProblemButtonNoArea,      // key, line: right <= left or bottom <= top
  ProblemUnknownPressStyle, // key, line, detail: the word
  ProblemPressedNotGiven,   // key, line, number: n of BMPn
  ProblemByteOrderMark,     // line 1, detail: the first word after the mark
  ProblemManyTooltips,      // number: places with a tooltip, otherNumber: the ones shown
  ProblemBackgroundTooSmall,  // number x otherNumber: the background's size
  ProblemBackgroundBeyondScreens,  // number x otherNumber: its size, detail: the largest
                                   // work area as "W x H"
  ProblemLampFrames,        // key: the lamp picture's, number: its width, otherNumber: the lamp's
  kProblemKindCount
};

bool IsRefusal(ProblemKind kind);

struct SkinProblem {
  ProblemKind kind;
  int line;  // 0 when the problem has no line
  int otherLine;
  int number;
  int otherNumber;
  char key[kShortTextSize];
  char detail[kPathSize + kPathSize];
};

enum class MessageLanguage { English, Japanese };

// Japanese when the ANSI code page is the Japanese one.
MessageLanguage SystemMessageLanguage();

// English or Japanese (given in UTF-8) text, in the ANSI code page.
void PickMessage(const char* english, const char* japaneseUtf8, MessageLanguage language,
                 char* out, size_t capacity);

// The problem as one line of text in the ANSI code page.
void FormatProblem(const SkinProblem& problem, MessageLanguage language, char* out,
                   size_t capacity);
// The closing line: whether the player would load the skin, and the counts.
void FormatVerdict(bool wouldLoad, int refusals, int warnings, MessageLanguage language,
                   char* out, size_t capacity);

#endif
