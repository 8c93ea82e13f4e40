#!/bin/sh
# Describes a media file for the end-to-end tests, which run under Wine and
# start this through "start /unix": the host's ffprobe output goes to a file
# that appears in one step (written aside, then renamed), so the caller can
# wait for it. Lines: format=, duration=, then v.<key>= and a.<key>= of the
# first video and audio stream (codec_name, codec_tag_string, width, height,
# r_frame_rate, sample_rate, channels). a.* is absent without audio.
# Usage: ffprobe-summary.sh <media file> <result file>
media=$1
result=$2
{
  ffprobe -v error -show_entries format=format_name,duration -of default=noprint_wrappers=1 "$media" |
    sed 's/^format_name=/format=/'
  ffprobe -v error -select_streams v:0 -show_entries stream=codec_name,codec_tag_string,width,height,r_frame_rate \
    -of default=noprint_wrappers=1 "$media" | sed 's/^/v./'
  ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels \
    -of default=noprint_wrappers=1 "$media" | sed 's/^/a./'
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
