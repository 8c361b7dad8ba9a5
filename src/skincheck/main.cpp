// ZantoSkinCheck: lists what is wrong with a skin, the way the player reads it.
//   ZantoSkinCheck path\to\skin.rc [plug-in folder]
// Exit code 0 when the player would load the skin, 1 when it would refuse it,
// 2 for bad usage. Warnings (a skin the player loads but that may not work as
// meant, such as a background under 8 pixels or larger than the screen)
// leave the code at 0.
#include <windows.h>

#include <cstdio>

#include "skin/plugin_list.h"
#include "skincheck/skin_check.h"

namespace {

constexpr int kExitLoads = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

void PrintLine(const char* text) {
  fputs(text, stdout);
  fputc('\n', stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const MessageLanguage language = SystemMessageLanguage();
  char text[1536];
  if (argc < 2 || argc > 3) {
    PickMessage("usage: ZantoSkinCheck skin.rc [plug-in folder]",
                "使い方: ZantoSkinCheck スキン.rc [プラグインのフォルダ]", language, text,
                sizeof(text));
    PrintLine(text);
    return kExitUsage;
  }
  PluginList plugins;
  PluginList* pluginList = nullptr;
  if (argc == 3) {
    const DWORD attributes = GetFileAttributesA(argv[2]);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      PickMessage("no such plug-in folder:", "プラグインのフォルダがありません:", language, text,
                  sizeof(text));
      fprintf(stdout, "%s %s\n", text, argv[2]);
      return kExitUsage;
    }
    plugins.Scan(argv[2]);
    pluginList = &plugins;
  }
  SkinCheck check;
  check.Run(pluginList, argv[1]);
  for (int i = 0; i < check.ProblemCount(); ++i) {
    FormatProblem(check.Problem(i), language, text, sizeof(text));
    PrintLine(text);
  }
  if (check.unlisted > 0) fprintf(stdout, "... (+%d)\n", check.unlisted);
  FormatVerdict(check.WouldLoad(), check.refusals, check.warnings, language, text, sizeof(text));
  PrintLine(text);
  fflush(stdout);
  return check.WouldLoad() ? kExitLoads : kExitRefused;
}
