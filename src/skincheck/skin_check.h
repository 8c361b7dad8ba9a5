// Reads a skin the way the player does and lists every problem found: what
// makes the player refuse it, and what loads but will not work as meant.
#ifndef ZANTO_SKINCHECK_SKIN_CHECK_H
#define ZANTO_SKINCHECK_SKIN_CHECK_H

#include <windows.h>

#include "skin/growable_array.h"
#include "skin/image_buffer.h"
#include "skin/skin_model.h"
#include "skin/skin_pictures.h"
#include "skincheck/skin_problem.h"

class PluginList;

// A window region with more rectangles than this appears slowly under Wine.
constexpr int kRaggedShapeRectangles = 20000;
// At least the number of keys KnownSkinKey lists.
constexpr int kKnownKeySlots = 96;
// Problems kept; any more are only counted.
constexpr int kMaxProblems = 200;

class SkinCheck : private SkinParseListener {
 public:
  SkinCheck();
  ~SkinCheck();
  SkinCheck(const SkinCheck&) = delete;
  SkinCheck& operator=(const SkinCheck&) = delete;

  // Checks one resource file, forgetting any earlier check; pluginList (may be null) reads pictures as the
  // player's plug-in setting would.
  void Run(PluginList* pluginList, const char* resourceFilePath);

  bool WouldLoad() const { return refusals == 0; }
  int ProblemCount() const { return problems.count; }
  const SkinProblem& Problem(int i) const { return *static_cast<const SkinProblem*>(problems.At(i)); }

  int refusals;
  int warnings;
  int unlisted;  // problems beyond kMaxProblems

 private:
  void OnKnownKey(int lineNumber, const char* key, const char* values) override;
  void OnUnknownKey(int lineNumber, const char* word) override;
  void OnStop(int lineNumber, ParseStatus status) override;

  SkinProblem& Add(ProblemKind kind, int line, const char* key);
  void LoadPictures(PluginList* pluginList);
  // Loads one picture of the table as the player would; a picture the player
  // reads though it is not named is reported as not given.
  void Load(const SkinPictureRule& rule, PluginList* pluginList);
  // Whether the background makes a window one can see, grab and fit on a screen.
  void CheckFit();
  void CheckShape();
  void CheckButtons();
  // What the parser will read from a button line's own words: how many of
  // the rectangle's numbers it gives, and the press style word.
  void CheckButtonWords(int lineNumber, const char* key, const char* values);
  void CheckButtonOverlaps();
  void CheckSizes();
  // Each placed lamp on the background, its picture two frames of its width.
  void CheckLamps();
  void CheckGreyMap(const ImageBuffer& map, const RECT& area, const char* mapKey,
                    const char* areaKey);
  bool InsideBackground(const RECT& rect) const;
  int LineOf(const char* key) const;
  int PlacementLine(int button, int entry) const;

  GrowableArray problems;
  SkinModel model;
  char folder[kPathSize];
  // First and last line of every known key, by KnownSkinKey index.
  int firstLine[kKnownKeySlots];
  int lastLine[kKnownKeySlots];
  // Line of every button placement, in file order per button.
  GrowableArray buttonLines[kButtonCount];
  LoadedImage pictures[kSkinPictureCount];
  const LoadedImage& background = pictures[BackgroundPicture];
};

#endif
