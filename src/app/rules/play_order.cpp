#include "app/rules/play_order.h"

namespace {

int Clamp(long long value, long long low, long long high) {
  if (value < low) return static_cast<int>(low);
  if (value > high) return static_cast<int>(high);
  return static_cast<int>(value);
}

int TrackLength(const DiscInfo& disc, int track) {
  int length = disc.tracks[track].lengthFrames;
  return length > 0 ? length : 0;
}

ShownTime FromFrames(long long frames, bool remaining) {
  if (frames < 0) frames = 0;
  long long totalSeconds = frames / 75;
  return ShownTime{static_cast<int>(totalSeconds / 60), static_cast<int>(totalSeconds % 60),
                   remaining};
}

}  // namespace

unsigned NextRandom(unsigned* state) {
  unsigned x = *state ? *state : 0x9E3779B9u;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  *state = x;
  return x;
}

PlayOrder DiscOrder(const DiscInfo& disc) {
  PlayOrder order;
  for (int t = 1; t <= KnownTracks(disc); ++t) {
    if (!disc.tracks[t].data) order.tracks[order.count++] = t;
  }
  return order;
}

PlayOrder DrawShuffle(const DiscInfo& disc, unsigned* randomState, int first, int notFirst) {
  PlayOrder order = DiscOrder(disc);
  // Fisher-Yates: every arrangement equally likely.
  for (int i = order.count - 1; i > 0; --i) {
    int j = static_cast<int>(NextRandom(randomState) % static_cast<unsigned>(i + 1));
    int kept = order.tracks[i];
    order.tracks[i] = order.tracks[j];
    order.tracks[j] = kept;
  }
  int at = OrderIndexOf(order, first);
  if (at > 0) {
    order.tracks[at] = order.tracks[0];
    order.tracks[0] = first;
  }
  if (at < 0 && order.count > 1 && order.tracks[0] == notFirst) {
    // Swapped with any other place: every order not starting with it stays
    // equally likely.
    int other = 1 + static_cast<int>(NextRandom(randomState) % static_cast<unsigned>(order.count - 1));
    order.tracks[0] = order.tracks[other];
    order.tracks[other] = notFirst;
  }
  return order;
}

int OrderIndexOf(const PlayOrder& order, int track) {
  for (int i = 0; i < order.count; ++i) {
    if (order.tracks[i] == track) return i;
  }
  return -1;
}

int OrderStepForward(PlayOrder* order) {
  if (order->count <= 0) return 0;
  order->index = order->index + 1 >= order->count ? 0 : order->index + 1;
  return order->tracks[order->index];
}

int OrderStepBack(PlayOrder* order) {
  if (order->count <= 0) return 0;
  order->index = order->index - 1 < 0 ? order->count - 1 : order->index - 1;
  return order->tracks[order->index];
}

AfterTrackEnd DecideAfterTrackEnd(const PlayModes& modes, const PlayOrder& order) {
  if (order.count <= 0 || order.index < 0 || order.index >= order.count) return {0, false};
  if (modes.repeatTrack) return {order.tracks[order.index], false};
  if (order.index + 1 < order.count) return {order.tracks[order.index + 1], false};
  if (!modes.repeatDisc) return {0, false};
  // The caller draws the new order; which track it starts with is its draw.
  if (modes.shuffle) return {order.tracks[0], true};
  return {order.tracks[0], false};
}

bool PlaysTrackByTrack(const PlayModes& modes) {
  return modes.shuffle || modes.repeatTrack || modes.intro;
}

TrackPosition PlayEnd(const DiscInfo& disc, const PlayModes& modes, TrackPosition from) {
  if (!PlaysTrackByTrack(modes) || !IsAudioTrack(disc, from.track)) return {0, 0};
  int length = TrackLength(disc, from.track);
  // A play moved past the intro by a forward step goes on to the track's end.
  if (modes.intro && length > kIntroFrames && from.frames < kIntroFrames) {
    return {from.track, kIntroFrames};
  }
  return {from.track, length};
}

TrackPosition StepPosition(const DiscInfo& disc, TrackPosition at, int deltaFrames) {
  // The audio tracks laid end to end: a place on the disc is one number. A
  // place on a data track counts as the start of the audio after it.
  long long before = 0;
  long long total = 0;
  for (int t = 1; t <= KnownTracks(disc); ++t) {
    if (!!disc.tracks[t].data) continue;
    int length = TrackLength(disc, t);
    if (t < at.track) before += length;
    if (t == at.track) before += Clamp(at.frames, 0, length);
    total += length;
  }
  if (total <= 0) return at;
  long long target = before + deltaFrames;
  if (target < 0) target = 0;
  if (target > total - 1) target = total - 1;
  for (int t = 1; t <= KnownTracks(disc); ++t) {
    if (!!disc.tracks[t].data) continue;
    int length = TrackLength(disc, t);
    if (target < length) return {t, static_cast<int>(target)};
    target -= length;
  }
  return {LastAudioTrack(disc), 0};
}

bool KeyMayStep(bool autoRepeat, DWORD now, DWORD lastStep) {
  return !autoRepeat || now - lastStep >= kSeekRepeatMs;
}

int NextTimeMode(int mode) {
  return mode >= 0 && mode + 1 < kTimeModeCount ? mode + 1 : kTimeElapsed;
}

ShownTime TimeForMode(int mode, const DiscInfo& disc, const PlayOrder* order, int track,
                      int elapsedFrames) {
  int length = track >= 1 && track <= KnownTracks(disc)
                   ? TrackLength(disc, track)
                   : 0;
  long long left = length - static_cast<long long>(elapsedFrames);
  if (left < 0) left = 0;
  if (mode == kTimeTrackRemaining) return FromFrames(left, true);
  if (mode != kTimeDiscRemaining) return FromFrames(elapsedFrames, false);

  long long rest = left;
  int at = order ? OrderIndexOf(*order, track) : -1;
  if (at >= 0) {
    for (int i = at + 1; i < order->count; ++i) rest += TrackLength(disc, order->tracks[i]);
  } else {
    for (int t = track + 1; t <= KnownTracks(disc); ++t) {
      if (!disc.tracks[t].data) rest += TrackLength(disc, t);
    }
  }
  return FromFrames(rest, true);
}
