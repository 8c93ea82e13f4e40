#!/bin/sh
# Where the picture lies inside a video's frame, for the end-to-end tests:
# the host's ffmpeg finds the black borders (cropdetect) over the first
# frames and writes box.w=, box.h=, box.x=, box.y= of the picture, then end=1,
# into a file that appears in one step (see ffprobe-summary.sh).
# Usage: picture-box.sh <media file> <result file>
media=$1
result=$2
{
  ffmpeg -nostdin -hide_banner -i "$media" -vf cropdetect=limit=24:round=2:reset=0 -frames:v 25 -an -f null - 2>&1 |
    grep -o 'crop=[0-9]*:[0-9]*:[0-9]*:[0-9]*' | tail -n 1 |
    sed 's/crop=\([0-9]*\):\([0-9]*\):\([0-9]*\):\([0-9]*\)/box.w=\1\nbox.h=\2\nbox.x=\3\nbox.y=\4/'
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
