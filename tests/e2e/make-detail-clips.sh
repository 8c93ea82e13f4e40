#!/bin/sh
# Clips of fine detail that no encoder can squeeze (moving test pattern under
# noise that changes every frame), for the target-size tests.
# Usage: make-detail-clips.sh <folder>
#   detail-4s.avi, detail-6s.avi, detail-8s.avi  320x240, 25 fps, MPEG-4 + MP3 stereo 44.1 kHz
set -eu
out=$1
mkdir -p "$out"
for seconds in 4 6 8; do
  name="detail-${seconds}s.avi"
  [ -s "$out/$name" ] && continue
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=320x240:rate=25:duration=$seconds" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" \
    -vf "noise=alls=14:allf=t" -c:v mpeg4 -q:v 3 -vtag DX50 \
    -c:a libmp3lame -b:a 128k -ac 2 -f avi "$out/.$name.part"
  mv "$out/.$name.part" "$out/$name"
done
