// Which tracks of the disc are audio, and the steps, runs and ends of the
// disc that follow from it: a mixed-mode disc (data first) or an enhanced
// one (data last) must never be played into its data tracks. Plain
// functions over the disc as the drive described it.
#ifndef ZANTO_APP_AUDIO_TRACKS_H
#define ZANTO_APP_AUDIO_TRACKS_H

#include "cd/disc_info.h"

bool IsAudioTrack(const DiscInfo& disc, int track);
// 0 when the disc has no audio track at all.
int FirstAudioTrack(const DiscInfo& disc);
int LastAudioTrack(const DiscInfo& disc);
// The audio track after `track`, wrapping past the last audio track to the
// first; 0 without audio tracks. `track` itself may be a data track or 0.
int NextAudioTrack(const DiscInfo& disc, int track);
// The audio track before `track`, wrapping from the first to the last.
int PreviousAudioTrack(const DiscInfo& disc, int track);
// The last track of the run of audio tracks `track` belongs to: a play from
// `track` ends there, before any data track. 0 when `track` is not audio.
int RunEndTrack(const DiscInfo& disc, int track);
// The first audio track after `runEnd`, without wrapping: where playback goes
// on after a run that a data track cut short. 0 at the end of the disc.
int NextRunStart(const DiscInfo& disc, int runEnd);

#endif
