#include "face_file.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "cd/image_sector_source.h"
#include "disc_description.h"
#include "face_format.h"
#include "image_tracks.h"
#include "support/tone_source.h"

namespace {

std::unique_ptr<SectorSource> OpenImage(const std::string& cuePath, std::string* problem) {
  auto image = std::make_unique<ImageSectorSource>();
  CueProblem result = image->Open(cuePath.c_str());
  if (result.status != CueStatus::kOk) {
    *problem = "image " + cuePath + " cannot be read (status " + std::to_string(static_cast<int>(result.status)) +
               ", line " + std::to_string(result.line) + ")";
    return nullptr;
  }
  return image;
}

std::unique_ptr<SectorSource> OpenTones(const DiscDescription& disc, std::string* problem) {
  DiscToc toc = DescribedToc(disc);
  if (toc.lastTrack == 0) {
    *problem = "the description has no tracks";
    return nullptr;
  }
  std::vector<ToneTrack> tracks;
  for (int track = 1; track <= toc.lastTrack; ++track) {
    int end = track == toc.lastTrack ? toc.leadOutLba : toc.tracks[track + 1].startLba;
    tracks.push_back({end - toc.tracks[track].startLba, toc.tracks[track].data, false});
  }
  return std::make_unique<ToneSectorSource>(tracks, toc.tracks[1].startLba);
}

}  // namespace

std::unique_ptr<SectorSource> OpenDescribedAudio(const std::string& discFile, std::string* problem) {
  std::ifstream in(discFile, std::ios::binary);
  if (!in) {
    *problem = "no disc description at " + discFile;
    return nullptr;
  }
  std::stringstream text;
  text << in.rdbuf();
  DiscDescription disc = ParseDiscDescription(text.str());
  if (!disc.present) {
    *problem = "the description has no disc in the drive";
    return nullptr;
  }
  if (disc.image.empty()) return OpenTones(disc, problem);
  return OpenImage(ImagePathFor(discFile, disc.image), problem);
}

bool WriteFaceFile(SectorSource& audio, const std::string& facePath, std::string* problem) {
  DiscToc toc;
  if (!audio.ReadToc(&toc) || toc.firstTrack != 1 || toc.lastTrack > ZANTO_FACE_MAX_TRACKS) {
    *problem = "the disc's table of contents cannot be read, or does not start at track 1";
    return false;
  }
  std::vector<unsigned char> header(ZANTO_FACE_HEADER_BYTES, 0);
  ZantoFaceHeader face = {};
  face.magic = ZANTO_FACE_MAGIC;
  face.firstTrack = 1;
  face.lastTrack = static_cast<unsigned>(toc.lastTrack);
  face.leadOutLba = static_cast<unsigned>(toc.leadOutLba);
  for (int track = 1; track <= toc.lastTrack; ++track) {
    face.tracks[track - 1].startLba = static_cast<unsigned>(toc.tracks[track].startLba);
    face.tracks[track - 1].control = (toc.tracks[track].data ? ZANTO_FACE_CONTROL_DATA : 0) |
                                     (toc.tracks[track].preEmphasis ? ZANTO_FACE_CONTROL_PRE_EMPHASIS : 0);
  }
  std::memcpy(header.data(), &face, sizeof(face));
  std::ofstream out(facePath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  constexpr int kChunk = 75;
  std::vector<unsigned char> sectors(static_cast<size_t>(kChunk) * kRawSectorBytes);
  for (int lba = 0; lba < toc.leadOutLba && out; lba += kChunk) {
    int count = toc.leadOutLba - lba < kChunk ? toc.leadOutLba - lba : kChunk;
    if (audio.ReadSectors(lba, count, sectors.data()) != count) {
      *problem = "the disc's sectors from LBA " + std::to_string(lba) + " cannot be read";
      return false;
    }
    out.write(reinterpret_cast<const char*>(sectors.data()), static_cast<std::streamsize>(count) * kRawSectorBytes);
  }
  out.close();
  if (!out) *problem = "the face file " + facePath + " cannot be written";
  return static_cast<bool>(out);
}
