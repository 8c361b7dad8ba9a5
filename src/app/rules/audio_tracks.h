// Which tracks of the disc are audio, and the steps, runs and ends of the
// disc that follow from it: a mixed-mode disc (data first) or an enhanced
// one (data last) must never be played into its data tracks. Plain values
// and functions.
#ifndef ZANTO_APP_AUDIO_TRACKS_H
#define ZANTO_APP_AUDIO_TRACKS_H

// A packed TMSF time holds its track in one byte.
constexpr int kMaxDiscTracks = 255;

struct AudioTrackList {
  int trackCount = 0;
  // dataTrack[t] for track t (1..trackCount); a track not marked is audio.
  bool dataTrack[kMaxDiscTracks + 1] = {};
};

// `trackCount` tracks, all audio until marked otherwise (a drive that cannot
// tell the type plays them as before).
void ResetAudioTracks(AudioTrackList& list, int trackCount);
void MarkDataTrack(AudioTrackList& list, int track);

bool IsAudioTrack(const AudioTrackList& list, int track);
// 0 when the disc has no audio track at all.
int FirstAudioTrack(const AudioTrackList& list);
int LastAudioTrack(const AudioTrackList& list);
// The audio track after `track`, wrapping past the last audio track to the
// first; 0 without audio tracks. `track` itself may be a data track or 0.
int NextAudioTrack(const AudioTrackList& list, int track);
// The audio track before `track`, wrapping from the first to the last.
int PreviousAudioTrack(const AudioTrackList& list, int track);
// The last track of the run of audio tracks `track` belongs to: a play from
// `track` ends there, before any data track. 0 when `track` is not audio.
int RunEndTrack(const AudioTrackList& list, int track);
// The first audio track after `runEnd`, without wrapping: where playback goes
// on after a run that a data track cut short. 0 at the end of the disc.
int NextRunStart(const AudioTrackList& list, int runEnd);

#endif
