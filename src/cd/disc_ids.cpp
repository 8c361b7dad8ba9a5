#include "cd/disc_ids.h"

#include <bcrypt.h>

#include "common/fixed_text.h"

namespace {

constexpr ULONG kSha1Size = 20;
// 2 + 2 + 8 + 99 * 8 hex digits.
constexpr size_t kTocTextSize = 4 + 8 + kMaxTocTracks * 8 + 1;

bool UsableToc(const DiscToc& toc) {
  return toc.firstTrack >= 1 && toc.lastTrack >= toc.firstTrack && toc.lastTrack <= kMaxTocTracks &&
         toc.leadOutLba > 0;
}

// The system's SHA-1; no hash of our own.
bool Sha1(const BYTE* data, ULONG size, BYTE (&digest)[kSha1Size]) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA1_ALGORITHM, nullptr, 0))) return false;
  BCRYPT_HASH_HANDLE hash = nullptr;
  bool done = BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
              BCRYPT_SUCCESS(BCryptHashData(hash, const_cast<BYTE*>(data), size, 0)) &&
              BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, kSha1Size, 0));
  if (hash) BCryptDestroyHash(hash);
  BCryptCloseAlgorithmProvider(algorithm, 0);
  return done;
}

int DigitSum(int n) {
  int sum = 0;
  for (; n > 0; n /= 10) sum += n % 10;
  return sum;
}

}  // namespace

bool AudioSessionOf(const DiscToc& toc, AudioSession* out) {
  if (!UsableToc(toc)) return false;
  AudioSession session;
  session.firstTrack = toc.firstTrack;
  session.lastTrack = toc.lastTrack;
  session.leadOut = toc.leadOutLba + kLeadInFrames;
  // Data tracks after the last audio one are the second session.
  int last = toc.lastTrack;
  while (last > toc.firstTrack && toc.tracks[last].data) --last;
  if (last < toc.lastTrack && !toc.tracks[last].data) {
    session.lastTrack = last;
    session.leadOut = toc.tracks[last + 1].startLba + kLeadInFrames - kSessionGapFrames;
  }
  for (int t = session.firstTrack; t <= session.lastTrack; ++t) {
    session.offsets[t] = toc.tracks[t].startLba + kLeadInFrames;
  }
  *out = session;
  return true;
}

void MusicBrainzBase64(const BYTE* bytes, size_t size, char* out, size_t capacity) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._";
  if (capacity == 0) return;
  size_t at = 0;
  auto put = [&](char c) {
    if (at + 1 < capacity) out[at++] = c;
  };
  for (size_t i = 0; i < size; i += 3) {
    unsigned block = static_cast<unsigned>(bytes[i]) << 16;
    if (i + 1 < size) block |= static_cast<unsigned>(bytes[i + 1]) << 8;
    if (i + 2 < size) block |= bytes[i + 2];
    put(kAlphabet[(block >> 18) & 63]);
    put(kAlphabet[(block >> 12) & 63]);
    put(i + 1 < size ? kAlphabet[(block >> 6) & 63] : '-');
    put(i + 2 < size ? kAlphabet[block & 63] : '-');
  }
  out[at] = '\0';
}

bool MusicBrainzDiscId(const DiscToc& toc, char (&out)[kMusicBrainzIdSize]) {
  AudioSession session;
  if (!AudioSessionOf(toc, &session)) return false;
  char text[kTocTextSize];
  FormatText(text, sizeof(text), "%02X%02X%08X", session.firstTrack, session.lastTrack,
             static_cast<unsigned>(session.leadOut));
  for (int t = 1; t <= kMaxTocTracks; ++t) {
    char offset[9];
    FormatText(offset, sizeof(offset), "%08X", static_cast<unsigned>(session.offsets[t]));
    AppendText(text, offset);
  }
  BYTE digest[kSha1Size];
  if (!Sha1(reinterpret_cast<const BYTE*>(text), static_cast<ULONG>(lstrlenA(text)), digest)) return false;
  MusicBrainzBase64(digest, kSha1Size, out, kMusicBrainzIdSize);
  return true;
}

DWORD CddbDiscId(const DiscToc& toc) {
  if (!UsableToc(toc)) return 0;
  int n = 0;
  for (int t = toc.firstTrack; t <= toc.lastTrack; ++t) {
    n += DigitSum((toc.tracks[t].startLba + kLeadInFrames) / 75);
  }
  int seconds = (toc.leadOutLba + kLeadInFrames) / 75 - (toc.tracks[toc.firstTrack].startLba + kLeadInFrames) / 75;
  int count = toc.lastTrack - toc.firstTrack + 1;
  return (static_cast<DWORD>(n % 255) << 24) | (static_cast<DWORD>(seconds) << 8) | static_cast<DWORD>(count);
}
