// The program's entry road: start-up, the message loop and shutdown, and the
// process-wide objects they own.
#ifndef ZANTO_APP_APPLICATION_H
#define ZANTO_APP_APPLICATION_H

#include <windows.h>

#include <memory>

class PlayerWindow;
class PluginList;
class Settings;

extern HINSTANCE appInstance;
// The one settings record, alive from start-up to shutdown.
extern std::unique_ptr<Settings> appSettings;
// The loaded Susie image plug-ins, created second and destroyed last.
extern std::unique_ptr<PluginList> appPlugins;
// The player's window object, created at start-up and destroyed first at shutdown.
extern std::unique_ptr<PlayerWindow> appPlayer;

// Registers the player's window class "LuloWnd"; false when registration failed.
bool RegisterPlayerClass(HINSTANCE instance);
// Runs the message loop until WM_QUIT, translating the accelerators IDR_ACCELERATORS for
// `target`. Returns the WM_QUIT exit value.
int RunMessageLoop(HWND target);
// True when files named fileNames fit beside the program's folder in the
// settings' path buffers. The program never reads or writes its settings
// anywhere else, so a folder too deep refuses the start.
bool ProgramFolderFits(const char* modulePath);
// Makes appPlayer and its window on `resourceFile` at the saved position.
// On failure shows why (without owner; saying that the default skin follows
// when `defaultFollows`) and leaves a fresh, windowless appPlayer, or none
// when even that could not be allocated. With `expectDiscImage` the player
// starts even where no CD drive opens.
bool CreatePlayer(const char* resourceFile, DWORD exStyle, const char* title, HINSTANCE instance,
                  bool defaultFollows = false, bool expectDiscImage = false);
// The whole life of the program; returns the process exit code. Tests pass
// the module path the program would see; null means the real one.
// `arguments` is the command line after the program's name: a disc image
// named there plays at once, or in the player already running.
int RunApplication(HINSTANCE instance, int showCommand, const char* modulePath = nullptr,
                   const char* arguments = nullptr);

#endif
