// Counts of the GDI and USER objects this test process holds, for leak tests.
#ifndef ZANTO_TESTS_WINDOW_GUI_OBJECTS_H
#define ZANTO_TESTS_WINDOW_GUI_OBJECTS_H

#include <windows.h>

// GDI objects of this process. Where GetGuiResources is not implemented, the
// live GDI handles are counted by probing every handle index.
DWORD GdiObjectCount();
// USER objects; where not reported, the windows of this thread.
DWORD UserObjectCount();

#endif
