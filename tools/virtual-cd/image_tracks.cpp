#include "image_tracks.h"

#include "cd/image_sector_source.h"

std::string ImagePathFor(const std::string& discFile, const std::string& image) {
  bool absolute = (image.size() > 1 && image[1] == ':') || (!image.empty() && (image[0] == '\\' || image[0] == '/'));
  if (absolute) return image;
  size_t slash = discFile.find_last_of("\\/");
  return (slash == std::string::npos ? std::string(".") : discFile.substr(0, slash)) + "\\" + image;
}

bool TakeTracksFromImage(const std::string& cuePath, DiscDescription* disc) {
  ImageSectorSource image;
  DiscToc toc;
  if (image.Open(cuePath.c_str()).status != CueStatus::kOk || !image.ReadToc(&toc) || toc.firstTrack != 1) {
    return false;
  }
  disc->firstTrackStart = static_cast<unsigned>(toc.tracks[1].startLba + kLeadInFrames);
  disc->trackFrames.clear();
  disc->dataTracks.clear();
  for (int track = 1; track <= toc.lastTrack; ++track) {
    int end = track == toc.lastTrack ? toc.leadOutLba : toc.tracks[track + 1].startLba;
    disc->trackFrames.push_back(static_cast<unsigned>(end - toc.tracks[track].startLba));
    disc->dataTracks.push_back(toc.tracks[track].data);
  }
  return true;
}
