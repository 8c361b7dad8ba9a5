#include "skincheck/skin_check.h"

#include <algorithm>
#include <cstring>

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/handles.h"
#include "common/path_text.h"
#include "skin/skin_region.h"
#include "window/background_fit.h"
#include "window/hit_test.h"
#include "window/skin_window.h"

namespace {

constexpr int kTimeFontCells = 12;
// Beyond this many placements the pairwise overlap test would take too long
// on a hostile file; so many buttons are a problem of their own anyway.
constexpr int kMaxOverlapPlacements = 2000;
// Line numbers are kept per button in steps this large: a fixed small step
// makes many placements cost quadratic time.
constexpr int kLineGrowth = 1024;
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr int kRectNumbers = 4;

int KeyIndex(const char* key) {
  for (int i = 0; i < kKnownKeySlots && KnownSkinKey(i); ++i) {
    if (EqualsIgnoreCase(KnownSkinKey(i), key)) return i;
  }
  return -1;
}

bool AccumulatingKey(const char* key) {
  if (EqualsIgnoreCase(key, "About")) return true;
  for (const char* button : kButtonKeys) {
    if (EqualsIgnoreCase(key, button)) return true;
  }
  return false;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Edits (insert, delete, replace) between two words, letters without regard to
// case; words longer than the key table's are cut, as no key is that long.
int EditDistance(const char* a, const char* b) {
  constexpr int kLongest = 40;
  const int n = static_cast<int>(std::min<size_t>(strlen(a), kLongest));
  const int m = static_cast<int>(std::min<size_t>(strlen(b), kLongest));
  int row[kLongest + 1];
  for (int j = 0; j <= m; ++j) row[j] = j;
  for (int i = 1; i <= n; ++i) {
    int diagonal = row[0];
    row[0] = i;
    for (int j = 1; j <= m; ++j) {
      const int above = row[j];
      const int replace = diagonal + (LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, replace});
      diagonal = above;
    }
  }
  return row[m];
}

// The key a word most likely misspells, or "" when none is close: a guess
// from fewer right letters than edits (one-letter garbage) is no help.
const char* NearestKey(const char* word) {
  const char* best = KnownSkinKey(0);
  int bestDistance = EditDistance(word, best);
  for (int i = 1; KnownSkinKey(i); ++i) {
    const int distance = EditDistance(word, KnownSkinKey(i));
    if (distance < bestDistance) {
      best = KnownSkinKey(i);
      bestDistance = distance;
    }
  }
  return 2 * static_cast<size_t>(bestDistance) < strlen(word) ? best : "";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next blank-separated word of `text` from `*at` into `word`; false at the end.
bool NextWord(const char* text, size_t* at, char* word, size_t capacity) {
  size_t i = *at;
  while (text[i] && IsBlank(text[i])) ++i;
  const size_t start = i;
  while (text[i] && !IsBlank(text[i])) ++i;
  *at = i;
  if (i == start) return false;
  const size_t length = std::min(i - start, capacity - 1);
  memcpy(word, text + start, length);
  word[length] = '\0';
  return true;
}

// A word the parser reads as the number it means: an optional sign, then digits.
bool IsNumberWord(const char* word) {
  if (*word == '+' || *word == '-') ++word;
  return *word >= '0' && *word <= '9';
}

bool IsPressStyleWord(const char* word) {
  for (const char* style : {"DARKEN", "BMP1", "BMP2", "BMP3"}) {
    if (EqualsIgnoreCase(word, style)) return true;
  }
  return false;
}

bool Intersects(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

SkinCheck::SkinCheck()
    : refusals(0),
      warnings(0),
      unlisted(0),
      problems(sizeof(SkinProblem), 16),
      buttonLines{{sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}, {sizeof(int), kLineGrowth},
                  {sizeof(int), kLineGrowth}} {
  folder[0] = '\0';
  model.listener = this;
}

SkinCheck::~SkinCheck() { model.listener = nullptr; }

SkinProblem& SkinCheck::Add(ProblemKind kind, int line, const char* key) {
  static SkinProblem overflow;
  if (IsRefusal(kind)) ++refusals; else ++warnings;
  SkinProblem problem{};
  problem.kind = kind;
  problem.line = line;
  CopyText(problem.key, key);
  const int index = problems.count < kMaxProblems ? problems.Add(&problem) : -1;
  if (index < 0) {
    ++unlisted;
    overflow = problem;
    return overflow;
  }
  return *static_cast<SkinProblem*>(problems.At(index));
}

void SkinCheck::OnKnownKey(int lineNumber, const char* key, const char* values) {
  const int index = KeyIndex(key);
  if (index < 0) return;
  if (firstLine[index] > 0 && !AccumulatingKey(key)) {
    Add(ProblemKeyTwice, lineNumber, key).otherLine = lastLine[index];
  }
  if (firstLine[index] == 0) firstLine[index] = lineNumber;
  lastLine[index] = lineNumber;
  for (int i = 0; i < kButtonCount; ++i) {
    if (strcmp(key, kButtonKeys[i]) != 0) continue;
    if (buttonLines[i].Add(&lineNumber) < 0) Add(ProblemOutOfMemory, lineNumber, key);
    CheckButtonWords(lineNumber, key, values);
  }
}

void SkinCheck::CheckButtonWords(int lineNumber, const char* key, const char* values) {
  // The parser reads four numbers, a tooltip word and a press style word.
  char word[kShortTextSize];
  size_t at = 0;
  int numbers = 0;
  while (numbers < kRectNumbers && NextWord(values, &at, word, sizeof(word)) &&
         IsNumberWord(word)) {
    ++numbers;
  }
  if (numbers < kRectNumbers) Add(ProblemFewNumbers, lineNumber, key).number = numbers;
  at = 0;
  bool hasStyle = true;
  for (int i = 0; i <= kRectNumbers + 1 && hasStyle; ++i) {
    hasStyle = NextWord(values, &at, word, sizeof(word));
  }
  if (hasStyle && !IsPressStyleWord(word)) {
    CopyText(Add(ProblemUnknownPressStyle, lineNumber, key).detail, word);
  }
}

void SkinCheck::OnUnknownKey(int lineNumber, const char* word) {
  const size_t markLength = sizeof(kUtf8Mark) - 1;
  if (lineNumber == 1 && strncmp(word, kUtf8Mark, markLength) == 0) {
    // Not a misspelt key: an editor saved the file as UTF-8 with a mark.
    CopyText(Add(ProblemByteOrderMark, lineNumber, "").detail, word + markLength);
    return;
  }
  CopyText(Add(ProblemUnknownKey, lineNumber, word).detail, NearestKey(word));
}

void SkinCheck::OnStop(int lineNumber, ParseStatus status) {
  if (status == ParseLineTooLong) Add(ProblemLineTooLong, lineNumber, "");
  else Add(ProblemOutOfMemory, lineNumber, "");
}

int SkinCheck::PlacementLine(int button, int entry) const {
  return *static_cast<const int*>(buttonLines[button].At(entry));
}

int SkinCheck::LineOf(const char* key) const {
  const int index = KeyIndex(key);
  return index < 0 ? 0 : lastLine[index];
}

void SkinCheck::Run(PluginList* pluginList, const char* resourceFilePath) {
  problems.RemoveAll();
  refusals = warnings = unlisted = 0;
  for (int i = 0; i < kKnownKeySlots; ++i) firstLine[i] = lastLine[i] = 0;
  for (auto& lines : buttonLines) lines.RemoveAll();
  FolderOf(resourceFilePath, folder, sizeof(folder));
  if (!model.LoadResourceFile(resourceFilePath)) {
    // A stop inside the file was reported by OnStop.
    if (model.status == ParseCannotOpen) {
      CopyText(Add(ProblemCannotOpen, 0, "").detail, resourceFilePath);
    } else if (model.status == ParseReadFailed) {
      CopyText(Add(ProblemReadFailed, 0, "").detail, resourceFilePath);
    } else if (model.status == ParseTooLarge) {
      CopyText(Add(ProblemFileTooLarge, 0, "").detail, resourceFilePath);
    } else if (model.status == ParseOutOfMemory && model.lineNumber == 0) {
      Add(ProblemOutOfMemory, 0, "");
    }
    return;
  }
  LoadPictures(pluginList);
  if (background.IsEmpty()) return;
  CheckFit();
  CheckShape();
  CheckButtons();
  CheckButtonOverlaps();
  CheckSizes();
  CheckLamps();
  const LoadedImage& seek = pictures[SeekPicture];
  if (!seek.IsEmpty()) CheckGreyMap(seek, model.seekRegion, PictureKey(SeekPicture), "SeekRegion");
  const LoadedImage& volumeMap = pictures[VolumeMapPicture];
  if (!volumeMap.IsEmpty()) {
    CheckGreyMap(volumeMap, model.volumeControlButton, PictureKey(VolumeMapPicture),
                 "VolumeControlButton");
  }
  if (!IsRectEmpty(&model.filenameWindow) && !InsideBackground(model.filenameWindow)) {
    Add(ProblemTextWindowOutside, LineOf("FilenameWindow"), "FilenameWindow");
  }
}

void SkinCheck::Load(const SkinPictureRule& rule, PluginList* pluginList) {
  if (!SkinLoadsPicture(model, rule)) return;
  const char* key = rule.key;
  const char* fileName = rule.file(model);
  if (fileName[0] == '\0') {
    Add(ProblemPictureNotNamed, 0, key);
    return;
  }
  LoadedImage& slot = pictures[rule.picture];
  char path[kPathSize + kPathSize];
  CopyText(path, folder);
  AppendText(path, fileName);
  const ImageStatus result = slot.LoadPicture(pluginList, path);
  if (result == ImageOk) return;
  if (result == ImageTooLarge) {
    SkinProblem& problem = Add(ProblemPictureTooLarge, LineOf(key), key);
    CopyText(problem.detail, path);
    problem.number = slot.refusedSize.width;
    problem.otherNumber = slot.refusedSize.height;
    return;
  }
  SkinProblem& problem = Add(ProblemPictureFailed, LineOf(key), key);
  CopyText(problem.detail, path);
  problem.number = result;
}

void SkinCheck::CheckFit() {
  SIZE areas[kMaxMonitors];
  const int count = MonitorWorkAreas(areas, kMaxMonitors);
  SIZE largest = {0, 0};
  const int width = background.Width();
  const int height = background.Height();
  const BackgroundFit fit = JudgeBackgroundFit(width, height, areas, count, &largest);
  if (fit == BackgroundFits) return;
  SkinProblem& problem =
      Add(fit == BackgroundTooSmall ? ProblemBackgroundTooSmall : ProblemBackgroundBeyondScreens,
          LineOf(PictureKey(BackgroundPicture)), PictureKey(BackgroundPicture));
  problem.number = width;
  problem.otherNumber = height;
  FormatText(problem.detail, sizeof(problem.detail), "%d x %d", static_cast<int>(largest.cx),
             static_cast<int>(largest.cy));
}

// The same pictures, under the same conditions, as the player's skin load;
// the player stops at the first failure, this goes on to name them all.
void SkinCheck::LoadPictures(PluginList* pluginList) {
  for (const SkinPictureRule& rule : kSkinPictures) {
    if (rule.need == PictureAlways) Load(rule, pluginList);
  }
  if (!background.IsEmpty()) {
    ImageBuffer work;
    if (!work.CreateBlank(background.Width(), background.Height())) {
      SkinProblem& problem = Add(ProblemWorkPictures, 0, PictureKey(BackgroundPicture));
      problem.number = background.Width();
      problem.otherNumber = background.Height();
    }
  }
  for (const SkinPictureRule& rule : kSkinPictures) {
    if (rule.need != PictureAlways) Load(rule, pluginList);
  }
}

void SkinCheck::CheckShape() {
  int rectangles = 0;
  ForEachOpaqueRun(
      background.Width(), background.Height(),
      [this](int x, int y) { return background.GetPixel(x, y) != kTransparentColour; },
      [&rectangles](int, int, int) {
        ++rectangles;
        return true;
      });
  if (rectangles == 0) {
    Add(ProblemEmptyShape, LineOf(PictureKey(BackgroundPicture)), PictureKey(BackgroundPicture));
    return;
  }
  unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
  if (!region || !AddPictureShape(background, region.get())) {
    Add(ProblemRegionFailed, 0, PictureKey(BackgroundPicture));
  } else if (rectangles > kRaggedShapeRectangles) {
    Add(ProblemRaggedShape, LineOf(PictureKey(BackgroundPicture)), PictureKey(BackgroundPicture))
        .number = rectangles;
  }
}

bool SkinCheck::InsideBackground(const RECT& rect) const {
  return rect.left >= 0 && rect.top >= 0 && rect.right <= background.Width() &&
         rect.bottom <= background.Height();
}

void SkinCheck::CheckButtons() {
  int tooltips = 0;
  for (int b = 0; b < kButtonCount; ++b) {
    const ButtonSpecList& list = model.buttons[b];
    for (int j = 0; j < list.count && j < buttonLines[b].count; ++j) {
      const RECT& rect = list[j].rect;
      if (list[j].toolTip[0] != '\0' && !IsRectEmpty(&rect)) ++tooltips;
      const int line = PlacementLine(b, j);
      const PressStyle style = list[j].pressStyle;
      if (style >= PressStyleBmp1 && style <= PressStyleBmp3 &&
          model.backgroundImagePressedFile[style - PressStyleBmp1][0] == '\0') {
        Add(ProblemPressedNotGiven, line, kButtonKeys[b]).number = style - PressStyleBmp1 + 1;
      }
      if (rect.right <= rect.left || rect.bottom <= rect.top) {
        // Outside, transparent or overlapping mean nothing for it.
        Add(ProblemButtonNoArea, line, kButtonKeys[b]);
        continue;
      }
      if (!InsideBackground(rect)) Add(ProblemButtonOutside, line, kButtonKeys[b]);
      // Only the part on the background counts; a rectangle wholly off it
      // was reported above.
      bool onBackground = false;
      bool opaque = false;
      const int right = std::min<LONG>(rect.right, background.Width());
      const int bottom = std::min<LONG>(rect.bottom, background.Height());
      for (int y = std::max<LONG>(rect.top, 0); y < bottom && !opaque; ++y) {
        for (int x = std::max<LONG>(rect.left, 0); x < right && !opaque; ++x) {
          onBackground = true;
          opaque = background.GetPixel(x, y) != kTransparentColour;
        }
      }
      if (onBackground && !opaque) Add(ProblemButtonTransparent, line, kButtonKeys[b]);
    }
  }
  if (tooltips > static_cast<int>(kMaxTooltipTools)) {
    SkinProblem& problem = Add(ProblemManyTooltips, 0, "");
    problem.number = tooltips;
    problem.otherNumber = static_cast<int>(kMaxTooltipTools);
  }
}

// The mouse finds the lower button index first: each later placement that
// overlaps an earlier-found one of another button loses there.
void SkinCheck::CheckButtonOverlaps() {
  int placements = 0;
  for (const auto& list : model.buttons) placements += list.count;
  if (placements > kMaxOverlapPlacements) return;
  for (int a = 0; a < kButtonCount; ++a) {
    for (int b = a + 1; b < kButtonCount; ++b) {
      for (int i = 0; i < model.buttons[a].count && i < buttonLines[a].count; ++i) {
        for (int j = 0; j < model.buttons[b].count && j < buttonLines[b].count; ++j) {
          if (!Intersects(model.buttons[a][i].rect, model.buttons[b][j].rect)) continue;
          const int lineA = PlacementLine(a, i);
          const int lineB = PlacementLine(b, j);
          // Reported on the later line, naming the earlier one.
          const bool aLater = lineA > lineB;
          SkinProblem& problem =
              Add(ProblemButtonsOverlap, aLater ? lineA : lineB, kButtonKeys[aLater ? a : b]);
          CopyText(problem.detail, kButtonKeys[aLater ? b : a]);
          problem.otherLine = aLater ? lineB : lineA;
          problem.otherNumber = aLater ? 1 : 0;  // does this line's button win?
        }
      }
    }
  }
}

void SkinCheck::CheckSizes() {
  const int width = background.Width();
  const int height = background.Height();
  for (const SkinPictureRule& rule : kSkinPictures) {
    const LoadedImage& picture = pictures[rule.picture];
    if (!rule.coversBackground || picture.IsEmpty() ||
        (picture.Width() >= width && picture.Height() >= height)) {
      continue;
    }
    SkinProblem& problem = Add(ProblemPictureSmaller, LineOf(rule.key), rule.key);
    CopyText(problem.detail, rule.file(model));
    problem.number = picture.Width();
    problem.otherNumber = picture.Height();
  }
  const LoadedImage& volume = pictures[VolumePicture];
  if (!volume.IsEmpty() && model.volumeControlType == VolumeControlBmp &&
      (model.volumeControlImageNb <= 0 || volume.Width() % model.volumeControlImageNb != 0)) {
    SkinProblem& problem = Add(ProblemVolumeStrip, LineOf("VolumeControlImageNb"),
                               "VolumeControlImageNb");
    problem.number = volume.Width();
    problem.otherNumber = model.volumeControlImageNb;
  }
  const LoadedImage& timeFont = pictures[TimeFontPicture];
  if (!timeFont.IsEmpty() &&
      (model.timeFontWidth <= 0 ||
       static_cast<long long>(model.timeFontWidth) * kTimeFontCells != timeFont.Width())) {
    SkinProblem& problem = Add(ProblemTimeFontCells, LineOf("TimeFontSize"), "TimeFontSize");
    problem.number = timeFont.Width();
    problem.otherNumber = model.timeFontWidth;
  }
}

void SkinCheck::CheckLamps() {
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    const RECT& rect = model.lamps[lamp].rect;
    if (IsRectEmpty(&rect)) continue;
    if (!InsideBackground(rect)) Add(ProblemButtonOutside, LineOf(kLampKeys[lamp]), kLampKeys[lamp]);
    const LoadedImage& picture = pictures[LampPicture(lamp)];
    const long long width = static_cast<long long>(rect.right) - rect.left;
    if (picture.IsEmpty() || picture.Width() == 2 * width) continue;
    const char* key = PictureKey(LampPicture(lamp));
    SkinProblem& problem = Add(ProblemLampFrames, LineOf(key), key);
    problem.number = picture.Width();
    problem.otherNumber = static_cast<int>(width);
  }
}

void SkinCheck::CheckGreyMap(const ImageBuffer& map, const RECT& area, const char* mapKey,
                             const char* areaKey) {
  const int right = std::min<LONG>(area.right, map.Width());
  const int bottom = std::min<LONG>(area.bottom, map.Height());
  for (int y = std::max<LONG>(area.top, 0); y < bottom; ++y) {
    for (int x = std::max<LONG>(area.left, 0); x < right; ++x) {
      if (GreyMapLevel(map, x, y) >= 0) return;
    }
  }
  CopyText(Add(ProblemMapNoGrey, LineOf(mapKey), mapKey).detail, areaKey);
}
