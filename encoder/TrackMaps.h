// Which of a source's streams a re-encode keeps, and how each is carried.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderCommand.h"
#include "encoder/StreamList.h"

// The "-map" value of the sound track a single-track output takes: the
// default one, "0:a:N"; "0:a:0" when the list is empty.
std::string DefaultAudioMap(const StreamList& streams);

// Adds the maps of a re-encode to `args`: the first video, and the default
// sound track. MKV, MP4 and WebM keep every sound track instead (the default
// one flagged so), the text subtitles (MKV as they are, MP4 as mov_text, WebM
// as WebVTT), MKV the bitmap subtitles too, MKV and MP4 the chapters. An empty
// list (FFmpeg said nothing in time) maps the first video and sound track.
void AddTrackMaps(const StreamList& streams, const EncoderCommand& command,
                  std::vector<std::string>& args);
