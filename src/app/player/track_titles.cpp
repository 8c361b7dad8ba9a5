// The player's side of the track titles: the title editor for the disc in
// the drive, and the disc's own CD-Text read as it arrives (an image's from
// its sheet).
#include <memory>
#include <new>

#include "app/player/player_window.h"
#include "app/desktop/topmost_band.h"
#include "cd/cd_text_drive.h"
#include "dialogs/title_editor.h"
#include "lookup/lookup_answer.h"
#include "settings/disc_titles.h"
#include "settings/settings.h"

namespace {

// What OK in the title editor asks of the player.
class PlayerTitlesHost final : public TitleEditorHost {
 public:
  PlayerTitlesHost(PlayerWindow& player, Settings& settings) : player_(player), settings_(settings) {}

  bool SaveTitles(const DiscTitles& titles) override {
    if (!settings_.SaveCdTitles(titles)) {
      settings_.ReportSaveFailure(player_.hwnd);  // now, while the editor waits for it
      return false;
    }
    player_.UpdateTrackText();  // now, not at the next poll
    return true;
  }

 private:
  PlayerWindow& player_;
  Settings& settings_;
};

}  // namespace

void PlayerWindow::OnEditTitlesCommand() { OpenTitleEditor(nullptr); }

void PlayerWindow::OpenTitleEditor(const ReleaseChoice* proposal) {
  Settings& settings = settings_;
  if (!state_.HasDisc() || !settings.cdKnown) return;
  std::unique_ptr<TitleSheet> sheet(new (std::nothrow) TitleSheet());
  if (!sheet) return;
  settings.GetCdTitles(&sheet->titles);
  if (proposal) TakeFromRelease(*proposal, &sheet->titles);
  for (int track = 1; track <= sheet->titles.trackCount; ++track) {
    if (track <= KnownTracks(disc) && disc.tracks[track].lengthKnown) {
      sheet->lengths[track - 1] = disc.tracks[track].length;
    }
  }
  // Out of the topmost band, so that the editor is not hidden behind the player.
  PlaceInTopmostBand(hwnd, false);
  PlayerTitlesHost host(*this, settings);
  TitleEditor(instance, *sheet, host).Run(hwnd);
  ApplyTopmost();
}

void PlayerWindow::ReadDiscCdText() {
  Settings& settings = settings_;
  if (settings.CdHasTitles()) return;  // CD.ini's titles always win
  // An image's CD-Text is its sheet's, read as it was opened; a device
  // without a letter has none to read.
  if (imageOpen_ ? !imageText_ : !drive_->Letter()) return;
  // CdText is about 52 KB and DiscTitles 26 KB: neither goes on the stack.
  std::unique_ptr<DiscTitles> titles(new (std::nothrow) DiscTitles());
  if (!titles) return;
  std::unique_ptr<CdText> read;
  const CdText* text = imageText_.get();
  if (!imageOpen_) {
    read.reset(new (std::nothrow) CdText());
    if (!read || ReadCdText(drive_->Letter(), read.get()) != CdTextReadStatus::Read) return;
    text = read.get();
  }
  settings.GetCdTitles(titles.get());
  FillFromCdText(*text, titles.get());
  settings.UseCdTitles(*titles);
}
