#!/bin/sh
# Makes the sample clips of the end-to-end tests with the host's ffmpeg.
# Usage: make-clips.sh <folder>
#
# Names are stable: other tests use them.
#   clip-640x480-25fps.avi        3 s, MPEG-4 (DX50) + MP3 stereo 44.1 kHz
#   clip-640x480-2997fps-xvid.avi 3 s, 30000/1001 fps, MPEG-4 tagged XVID + MP3 stereo 48 kHz
#   clip-720x400-25fps.avi        2 s, MPEG-4 (DX50) + MP3 stereo 44.1 kHz (wide: letter box)
#   clip-320x240-noaudio.avi      2 s, 25 fps, MPEG-4 (DX50), no audio
#   clip-matroska.divx            2 s, 320x240 at 15 fps, Matroska in a .divx name (not an AVI)
#   clip-321x241-25fps.avi        2 s, odd picture size, MPEG-4 + MP3 stereo 44.1 kHz
#   clip-mandelbrot-320x240.avi   2 s, 25 fps, lossless FFV1 of a natural-looking picture (quality checks)
#   empty.avi                     0 bytes
#   text.avi                      a text file named .avi
# Every clip is made again only when it is missing, so a rerun is quick.
set -eu
out=$1
mkdir -p "$out"
ff="ffmpeg -nostdin -hide_banner -loglevel error -y"
tone="sine=frequency=440:sample_rate"

make() {
  name=$1
  shift
  [ -s "$out/$name" ] && return 0
  # Write under a temporary name so an interrupted run leaves no half clip.
  $ff "$@" "$out/.$name.part" && mv "$out/.$name.part" "$out/$name"
}

make clip-640x480-25fps.avi -f lavfi -i "testsrc=size=640x480:rate=25" -f lavfi -i "${tone}=44100" \
  -t 3 -c:v mpeg4 -q:v 5 -vtag DX50 -c:a libmp3lame -b:a 128k -ac 2 -f avi
make clip-640x480-2997fps-xvid.avi -f lavfi -i "testsrc=size=640x480:rate=30000/1001" -f lavfi -i "${tone}=48000" \
  -t 3 -c:v mpeg4 -q:v 5 -vtag XVID -c:a libmp3lame -b:a 128k -ac 2 -f avi
make clip-720x400-25fps.avi -f lavfi -i "testsrc=size=720x400:rate=25" -f lavfi -i "${tone}=44100" \
  -t 2 -c:v mpeg4 -q:v 5 -vtag DX50 -c:a libmp3lame -b:a 128k -ac 2 -f avi
make clip-320x240-noaudio.avi -f lavfi -i "testsrc=size=320x240:rate=25" \
  -t 2 -c:v mpeg4 -q:v 5 -vtag DX50 -an -f avi
make clip-matroska.divx -f lavfi -i "testsrc=size=320x240:rate=15" -f lavfi -i "${tone}=44100" \
  -t 2 -c:v mpeg4 -q:v 5 -c:a libmp3lame -b:a 96k -f matroska
make clip-321x241-25fps.avi -f lavfi -i "testsrc=size=321x241:rate=25" -f lavfi -i "${tone}=44100" \
  -t 2 -c:v mpeg4 -q:v 5 -vtag DX50 -c:a libmp3lame -b:a 128k -ac 2 -f avi
make clip-mandelbrot-320x240.avi -f lavfi -i "mandelbrot=size=320x240:rate=25" \
  -t 2 -c:v ffv1 -an -f avi
: >"$out/empty.avi"
[ -s "$out/text.avi" ] || echo "This is a text file, not a video." >"$out/text.avi"
echo "clips ready in $out"
