// The small dialog that picks one of several releases holding the disc:
// each listed with its title, artist, date, country and format.
#ifndef ZANTO_DIALOGS_RELEASE_CHOOSER_H
#define ZANTO_DIALOGS_RELEASE_CHOOSER_H

#include <windows.h>

#include <vector>

#include "lookup/lookup_answer.h"

// Modal, owned by `owner`: the index of the release chosen, or -1 for
// Cancel (and for a dialog that could not be made).
int ChooseRelease(HINSTANCE instance, HWND owner, const std::vector<ReleaseChoice>& releases);

#endif
