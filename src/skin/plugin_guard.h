// Calls into third-party plug-in code that the program survives when the code
// faults: a fault inside the call ends the call, not the process.
#ifndef ZANTO_SKIN_PLUGIN_GUARD_H
#define ZANTO_SKIN_PLUGIN_GUARD_H

#include <windows.h>

// Runs call(context) on this thread. True when it returned; false when a
// hardware fault (access violation, illegal or privileged instruction,
// integer division by zero, misalignment) was raised on this thread while it
// ran. The faulting call's frames are then abandoned, not unwound: whatever it
// allocated, locked or half-wrote stays so. Every other exception is left to
// whoever else handles it, the plug-in's own handlers included.
bool CallGuarded(void (*call)(void* context), void* context);

// For LoadLibrary and FreeLibrary of a plug-in: the system loader runs its
// DllMain inside a handler of its own, which unwinds properly and releases
// the loader lock (LoadLibrary then fails). Jumping out instead would leave
// that lock held and hang every later thread start, so a fault here is only
// noted and left to the loader. False when one was noted; the call returned
// either way, or the program would not be here.
bool CallLoaderGuarded(void (*call)(void* context), void* context);

// Whether a fault of this kind ends a guarded call.
bool IsGuardedFault(DWORD exceptionCode);

#endif
