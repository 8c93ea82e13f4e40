// The source's streams into MP4 or MKV as they are (-ovc copy -oac copy):
// which streams each container takes and how they are carried.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderCommand.h"
#include "encoder/StreamList.h"

// The first video stream (cover pictures aside) an MP4 with the streams
// kept cannot carry as it is; null when there is none or the command is not
// such a copy.
const SourceStream* VideoMp4CannotCarry(const EncoderCommand& command, const StreamList& streams);

// The codec's position in kVideoCodecNames; -1 for one not named there.
int VideoCodecPosition(const std::string& codec);

// The reason for the user: MP4 cannot carry the codec; the MKV entry can.
std::string VideoNotCarriedReason(const std::string& codec);

// Adds the maps, codecs and muxer of a copy to `args` (after the input;
// timestamps made up where the source has none, before it).
// MKV takes every stream but data; MP4 the video it can carry, every sound
// track (as AAC when MP4 cannot carry it), the text subtitles as mov_text,
// the chapters, and its index at the front. An empty list (FFmpeg said
// nothing in time) maps every video, sound and subtitle stream. Returns
// false with a one-line message when the command cannot be a copy.
bool AddStreamsKept(const EncoderCommand& command, const StreamList& streams,
                    std::vector<std::string>& args, std::string& error);
