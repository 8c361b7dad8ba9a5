#include "skincheck/skin_problem.h"

#include <windows.h>

#include "common/fixed_text.h"
#include "skin/image_buffer.h"
#include "window/background_fit.h"

namespace {

// Both languages' texts for one kind take the same arguments in the same
// order, so one formatting call serves either.
struct ProblemText {
  const char* english;
  const char* japanese;  // UTF-8 here; shown in the ANSI code page
};

const ProblemText kProblemTexts[kProblemKindCount] = {
    {"cannot open the resource file %s", "リソースファイルが開けません: %s"},
    {"cannot read the resource file %s", "リソースファイルが読めません: %s"},
    {"longer than 255 bytes: the player stops reading here",
     "255バイトを超える行です。プレーヤーはここで読むのをやめます"},
    {"out of memory while reading the file", "読み込み中にメモリが足りなくなりました"},
    {"%s is not given, and the player needs it", "%s がありません。プレーヤーには必要です"},
    {"%s: cannot load %s (%s)", "%s: %s が読み込めません (%s)"},
    {"the background (%d x %d) is too large to work on", "背景 (%d x %d) が大きすぎて扱えません"},
    {"the window shape cannot be made from the background",
     "背景からウィンドウの形が作れません"},
    {"the background is magenta (transparent) all over: the window would have no pixel to "
     "see or click",
     "背景がすべてマゼンタ (透明) で、見える所もクリックできる所もないウィンドウになります"},
    {"the resource file %s is larger than 4 MB: the player refuses it unread",
     "リソースファイル %s が 4 MB を超えているため、プレーヤーは読まずに拒否します"},
    {"%s: %s is too large: %d x %d, the limit is %s",
     "%s: %s は大きすぎます: %d×%d、上限は%sです"},
    {"%s lies outside the background, wholly or in part", "%s が背景の外にはみ出しています"},
    {"%s covers only magenta (transparent) pixels: it cannot be clicked",
     "%s はマゼンタ (透明) の上だけにあり、クリックできません"},
    {"%s overlaps %s of line %d; where they overlap, %s wins",
     "%s が %s (%d行目) と重なっています。重なった所では %s が効きます"},
    {"%s %s is %d x %d, smaller than the background", "%s %s は %d x %d で、背景より小さいです"},
    {"%s has no grey pixel inside %s: that control cannot be used",
     "%s の %s の範囲にグレーの画素がありません。操作できません"},
    {"VolumeControlImage is %d pixels wide, not a multiple of VolumeControlImageNb %d",
     "VolumeControlImage の幅 %d が VolumeControlImageNb %d の倍数ではありません"},
    {"TimeFontImage is %d pixels wide, not 12 cells of the TimeFontSize width %d",
     "TimeFontImage の幅 %d が TimeFontSize の幅 %d の12文字分ではありません"},
    {"FilenameWindow lies outside the background, wholly or in part",
     "FilenameWindow が背景の外にはみ出しています"},
    {"%s is given again (first on line %d); this line wins",
     "%s が二度あります (最初は %d行目)。この行が使われます"},
    {"unknown key %s is ignored (did you mean %s?)",
     "%s は知らないキーなので無視されます (%s のことですか?)"},
    {"the window shape needs %d rectangles, over 20000: it appears slowly under Wine, "
     "and Wine drops a window of about 70000",
     "ウィンドウの形に長方形が %d 個要ります (20000 超)。Wine では表示が遅く、"
     "70000 前後ではウィンドウが消えます"},
    {"%s gives %d of the 4 numbers of its rectangle (left top right bottom): the missing "
     "ones read as 0 and the words after them shift",
     "%s の長方形の数が 4 個中 %d 個しかありません (左 上 右 下)。足りない数は 0 になり、"
     "後ろの語がずれます"},
    {"%s has no area (right <= left or bottom <= top): it can never be pressed",
     "%s の長方形に広さがありません (右 <= 左 か 下 <= 上)。押すことができません"},
    {"%s has the unknown press style %s: it shows no pressed look (DARKEN, BMP1, BMP2, BMP3)",
     "%s の押した時の表示 %s は知らない指定なので、押しても見た目が変わりません "
     "(DARKEN, BMP1, BMP2, BMP3)"},
    {"%s presses as BMP%d, but BackgroundImagePressed%d is not given: it shows no pressed look",
     "%s は BMP%d ですが BackgroundImagePressed%d がないので、押しても見た目が変わりません"},
    {"the file begins with a UTF-8 byte-order mark, which the player reads as part of the "
     "first word (%s): this line is ignored; save the file without it (in Shift-JIS)",
     "ファイルの先頭に UTF-8 のバイト順マークがあり、プレーヤーは最初の語 (%s) の一部として"
     "読むため、この行は無視されます。マークなし (Shift-JIS) で保存してください"},
    {"%d places have a tooltip text: only the first %d get a tooltip",
     "ツールチップの文字がある場所が %d 個あります。ツールチップが出るのは最初の %d 個だけです"},
    {"the background is %d x %d, under %d pixels on a side: the window is hard to see and to "
     "drag (the player shows it all the same)",
     "背景が %d×%d で、一辺が %d ピクセル未満のため、ウィンドウが見えにくく動かしにくくなります "
     "(プレーヤーはそのまま表示します)"},
    {"the background is %d x %d, larger than the largest screen's work area (%s): the window "
     "does not fit on the screen (the player shows it all the same)",
     "背景が %d×%d で、いちばん大きい画面の作業領域 (%s) に収まりません "
     "(プレーヤーはそのまま表示します)"},
    {"%s is %d pixels wide, not two frames (off, on) of its lamp's width %d",
     "%s の幅 %d がランプの幅 %d の2コマ分 (消灯、点灯) ではありません"},
};

// By ImageStatus.
const ProblemText kImageReasons[] = {
    {"", ""},
    {"no such file, or it cannot be opened", "ファイルがないか開けません"},
    {"read error", "読み込みエラー"},
    {"its data is broken", "画像のデータが壊れています"},
    {"out of memory", "メモリ不足"},
    {"too large", "大きすぎます"},
    {"no plug-in reads this format", "この形式を読み込めるプラグインがありません"},
    {"the plug-in failed on it", "プラグインが読み込みに失敗しました"},
};
constexpr int kImageReasonCount = sizeof(kImageReasons) / sizeof(kImageReasons[0]);


// Copies UTF-8 text into out in the ANSI code page.
void ToAnsi(const char* utf8, char* out, size_t capacity) {
  wchar_t wide[1024];
  if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024) == 0 ||
      WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(capacity), nullptr,
                          nullptr) == 0) {
    CopyText(out, capacity, "?");
  }
}

// The text in the chosen language, in the ANSI code page.
void Pick(const ProblemText& text, MessageLanguage language, char* out, size_t capacity) {
  if (language == MessageLanguage::Japanese) {
    ToAnsi(text.japanese, out, capacity);
  } else {
    CopyText(out, capacity, text.english);
  }
}

// The limit a picture of this size broke: the side limit is judged first.
void LimitText(int width, int height, MessageLanguage language, char* out, size_t capacity) {
  char format[128];
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    Pick({"%d pixels a side", "一辺 %d ピクセル"}, language, format, sizeof(format));
    FormatText(out, capacity, format, kMaxPictureSide);
  } else {
    Pick({"%d MB of pixels", "画素 %d MB"}, language, format, sizeof(format));
    FormatText(out, capacity, format, static_cast<int>(kMaxPictureBytes / (1024 * 1024)));
  }
}

}  // namespace

void PickMessage(const char* english, const char* japaneseUtf8, MessageLanguage language,
                 char* out, size_t capacity) {
  Pick({english, japaneseUtf8}, language, out, capacity);
}

bool IsRefusal(ProblemKind kind) { return kind < ProblemButtonOutside; }

MessageLanguage SystemMessageLanguage() {
  return GetACP() == 932 ? MessageLanguage::Japanese : MessageLanguage::English;
}

void FormatProblem(const SkinProblem& problem, MessageLanguage language, char* out,
                   size_t capacity) {
  const bool japanese = language == MessageLanguage::Japanese;
  char head[64];
  Pick(IsRefusal(problem.kind) ? ProblemText{"error", "エラー"} : ProblemText{"warning", "警告"},
       language, head, sizeof(head));
  if (problem.line > 0) {
    char where[32];
    FormatText(where, sizeof(where), japanese ? " %d" : " line %d", problem.line);
    AppendText(head, sizeof(head), where);
    if (japanese) {
      char lineWord[16];
      ToAnsi("行目", lineWord, sizeof(lineWord));
      AppendText(head, sizeof(head), lineWord);
    }
  }
  char format[512];
  Pick(kProblemTexts[problem.kind], language, format, sizeof(format));
  char body[1024];
  switch (problem.kind) {
    case ProblemPictureFailed: {
      const int reason =
          problem.number >= 1 && problem.number < kImageReasonCount ? problem.number : ImageBadData;
      char because[128];
      Pick(kImageReasons[reason], language, because, sizeof(because));
      FormatText(body, sizeof(body), format, problem.key, problem.detail, because);
      break;
    }
    case ProblemPictureTooLarge: {
      char limit[128];
      LimitText(problem.number, problem.otherNumber, language, limit, sizeof(limit));
      FormatText(body, sizeof(body), format, problem.key, problem.detail, problem.number,
                 problem.otherNumber, limit);
      break;
    }
    case ProblemBackgroundTooSmall:
      FormatText(body, sizeof(body), format, problem.number, problem.otherNumber, kMinUsableSide);
      break;
    case ProblemBackgroundBeyondScreens:
      FormatText(body, sizeof(body), format, problem.number, problem.otherNumber, problem.detail);
      break;
    case ProblemButtonsOverlap:
      // otherNumber: 1 when this line's button is the one that wins.
      FormatText(body, sizeof(body), format, problem.key, problem.detail, problem.otherLine,
                 problem.otherNumber ? problem.key : problem.detail);
      break;
    case ProblemPictureSmaller:
      FormatText(body, sizeof(body), format, problem.key, problem.detail, problem.number,
                 problem.otherNumber);
      break;
    case ProblemLampFrames:
      FormatText(body, sizeof(body), format, problem.key, problem.number, problem.otherNumber);
      break;
    case ProblemUnknownKey:
      if (problem.detail[0] == '\0') {
        // Nothing close enough to guess from.
        Pick({"unknown key %s is ignored", "%s は知らないキーなので無視されます"}, language,
             format, sizeof(format));
      }
      FormatText(body, sizeof(body), format, problem.key, problem.detail);
      break;
    case ProblemMapNoGrey:
    case ProblemUnknownPressStyle:
      FormatText(body, sizeof(body), format, problem.key, problem.detail);
      break;
    case ProblemFewNumbers:
      FormatText(body, sizeof(body), format, problem.key, problem.number);
      break;
    case ProblemPressedNotGiven:
      FormatText(body, sizeof(body), format, problem.key, problem.number, problem.number);
      break;
    case ProblemByteOrderMark:
      FormatText(body, sizeof(body), format, problem.detail);
      break;
    case ProblemKeyTwice:
      FormatText(body, sizeof(body), format, problem.key, problem.otherLine);
      break;
    case ProblemWorkPictures:
    case ProblemManyTooltips:
    case ProblemVolumeStrip:
    case ProblemTimeFontCells:
      FormatText(body, sizeof(body), format, problem.number, problem.otherNumber);
      break;
    case ProblemRaggedShape:
      FormatText(body, sizeof(body), format, problem.number);
      break;
    case ProblemCannotOpen:
    case ProblemReadFailed:
    case ProblemFileTooLarge:
      FormatText(body, sizeof(body), format, problem.detail);
      break;
    default:
      FormatText(body, sizeof(body), format, problem.key);
      break;
  }
  FormatText(out, capacity, "%s: %s", head, body);
}

void FormatVerdict(bool wouldLoad, int refusals, int warnings, MessageLanguage language,
                   char* out, size_t capacity) {
  char format[256];
  if (wouldLoad) {
    Pick({"OK: the player loads this skin (%d warnings)",
          "OK: プレーヤーはこのスキンを読み込めます (警告 %d 件)"},
         language, format, sizeof(format));
    FormatText(out, capacity, format, warnings);
  } else {
    Pick({"REFUSED: the player would refuse this skin (%d errors, %d warnings)",
          "NG: プレーヤーはこのスキンを拒否します (エラー %d 件、警告 %d 件)"},
         language, format, sizeof(format));
    FormatText(out, capacity, format, refusals, warnings);
  }
}
