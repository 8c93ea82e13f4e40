#!/bin/sh
# Makes the clips of today's containers and codecs for the end-to-end tests
# with the host's ffmpeg, 2 s each, small pictures.
# Usage: make-source-clips.sh <folder>
#   phone-rotated.mp4   H.264 + AAC 44.1 kHz stereo, 320x240 stored, rotate tag 90 (shown 240x320)
#   camera.mov          H.264 + AAC 48 kHz stereo, 320x240, 30000/1001 fps, moov at the end
#   hevc10-51.mkv       HEVC 10-bit 320x240 25 fps + Opus 5.1 48 kHz
#   vp9.webm            VP9 320x240 25 fps + Opus stereo 48 kHz
#   camcorder.ts        MPEG-2 320x240 25 fps + MP2 48 kHz stereo, MPEG-TS
#   windows.wmv         WMV2 320x240 25 fps + WMA2 44.1 kHz stereo
#   fragmented.mp4      H.264 + AAC 320x240 25 fps, fragmented (empty moov)
#   music.mp3           MP3 only, no video
# A clip is made again only when it is missing.
set -eu
out=$1
mkdir -p "$out"
ff="ffmpeg -nostdin -hide_banner -loglevel error -y"
pic="testsrc2=size=320x240:rate=25:duration=2"
tone="sine=frequency=440:duration=2:sample_rate"

make() {
  name=$1
  shift
  [ -s "$out/$name" ] && return 0
  # Written under a temporary name (same extension) so an interrupted run leaves no half clip.
  $ff "$@" "$out/part-$name" && mv "$out/part-$name" "$out/$name"
}

# The rotation tag is written on a stream copy: an encoding run drops it.
make phone-upright.mp4 -f lavfi -i "$pic" -f lavfi -i "${tone}=44100" -c:v libx264 -preset ultrafast \
  -pix_fmt yuv420p -c:a aac -ac 2
make phone-rotated.mp4 -i "$out/phone-upright.mp4" -c copy -metadata:s:v:0 rotate=90
make camera.mov -f lavfi -i "testsrc2=size=320x240:rate=30000/1001:duration=2" -f lavfi -i "${tone}=48000" \
  -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2
make hevc10-51.mkv -f lavfi -i "$pic" -f lavfi -i "${tone}=48000" -c:v libx265 -preset ultrafast \
  -pix_fmt yuv420p10le -x265-params log-level=error -c:a libopus -b:a 96k -af "pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0"
make vp9.webm -f lavfi -i "$pic" -f lavfi -i "${tone}=48000" -c:v libvpx-vp9 -deadline realtime -cpu-used 8 \
  -b:v 200k -c:a libopus -b:a 64k -ac 2
make camcorder.ts -f lavfi -i "$pic" -f lavfi -i "${tone}=48000" -c:v mpeg2video -q:v 5 -c:a mp2 -ac 2
make windows.wmv -f lavfi -i "$pic" -f lavfi -i "${tone}=44100" -c:v wmv2 -q:v 5 -c:a wmav2 -ac 2
make fragmented.mp4 -f lavfi -i "$pic" -f lavfi -i "${tone}=44100" -c:v libx264 -preset ultrafast \
  -pix_fmt yuv420p -c:a aac -ac 2 -movflags frag_keyframe+empty_moov
make music.mp3 -f lavfi -i "${tone}=44100" -c:a libmp3lame -b:a 64k
echo "source clips ready in $out"
