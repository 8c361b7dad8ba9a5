// The title editor: the disc's title and artist, a list of its tracks
// (number, length, title) and the chosen track's title edited below it. The
// editor works on its own copy of the titles; OK hands them to the host,
// which keeps them, and Cancel drops them.
#ifndef ZANTO_DIALOGS_TITLE_EDITOR_H
#define ZANTO_DIALOGS_TITLE_EDITOR_H

#include <windows.h>

#include <memory>

#include "dialogs/title_sheet.h"

// What OK asks of the player.
class TitleEditorHost {
 public:
  // Keeps `titles` (written at once, and shown). False when they could not
  // be written: the editor then stays open with everything typed.
  virtual bool SaveTitles(const DiscTitles& titles) = 0;

 protected:
  ~TitleEditorHost() = default;
};

class TitleEditor {
 public:
  // instance holds the template; `sheet` is copied, so the disc may leave
  // while the editor is open and OK still names the disc it was opened for.
  TitleEditor(HINSTANCE instance, const TitleSheet& sheet, TitleEditorHost& host);
  TitleEditor(const TitleEditor&) = delete;
  TitleEditor& operator=(const TitleEditor&) = delete;

  // Modal, owned by owner. IDOK once the host kept the titles; IDCANCEL for
  // Cancel, Esc, the close box, or no memory for the copy.
  int Run(HWND owner);

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND dialog);
  INT_PTR OnCommand(HWND dialog, WPARAM wParam);
  void OnTrackChosen(HWND dialog);
  void OnTrackTitleTyped(HWND dialog);
  void ShowRow(HWND dialog, int track);
  void OnOk(HWND dialog);

  HINSTANCE instance_;
  TitleEditorHost& host_;
  // ~26 KB: kept off the stack.
  std::unique_ptr<TitleSheet> sheet_;
  int chosenTrack_;       // 1-based; 0 while the disc has no tracks
  bool fillingTitleEdit_;  // our own SetText of the title edit, not typing
};

#endif
