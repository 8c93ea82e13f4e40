#!/bin/sh
# Makes the damaged and odd source files of the failure tests with the
# host's ffmpeg, beside the ordinary clips (same folder).
# Usage: damaged-clips.sh <folder>
#   long-120s-640x480.avi   120 s, 25 fps, MPEG-4 + MP3: long enough to be stopped midway
#                           (a 20 s clip converted in about a second, before a test could act)
#   audio-only.avi          2 s of MP3 in an AVI, no video stream
#   tone-wave.avi           a WAV file named .avi (RIFF, but not AVI)
#   random.avi              64 KB of random bytes
#   truncated-header.avi    the first 600 bytes of a clip: the header is cut
#   truncated-body.avi      the first 40 % of a clip: header whole, frames missing
#   corrupt-body.avi        a clip whose frames were overwritten with noise
# Files are made again only when missing.
set -eu
out=$1
mkdir -p "$out"
ff="ffmpeg -nostdin -hide_banner -loglevel error -y"

make() {
  name=$1
  shift
  [ -s "$out/$name" ] && return 0
  $ff "$@" "$out/.$name.part" && mv "$out/.$name.part" "$out/$name"
}

make long-120s-640x480.avi -f lavfi -i "testsrc=size=640x480:rate=25" -f lavfi -i "sine=frequency=440:sample_rate=44100" \
  -t 120 -c:v mpeg4 -q:v 5 -vtag DX50 -c:a libmp3lame -b:a 128k -ac 2 -f avi
make audio-only.avi -f lavfi -i "sine=frequency=440:sample_rate=44100" -t 2 -c:a libmp3lame -b:a 96k -f avi
make tone-wave.avi -f lavfi -i "sine=frequency=440:sample_rate=22050" -t 1 -c:a pcm_s16le -f wav
make base-320x240.avi -f lavfi -i "testsrc=size=320x240:rate=25" -f lavfi -i "sine=frequency=440:sample_rate=44100" \
  -t 3 -c:v mpeg4 -q:v 5 -vtag DX50 -c:a libmp3lame -b:a 96k -ac 2 -f avi

base="$out/base-320x240.avi"
size=$(wc -c <"$base")
if [ ! -s "$out/random.avi" ]; then
  head -c 65536 /dev/urandom >"$out/.random.part" && mv "$out/.random.part" "$out/random.avi"
fi
if [ ! -s "$out/truncated-header.avi" ]; then
  head -c 600 "$base" >"$out/.th.part" && mv "$out/.th.part" "$out/truncated-header.avi"
fi
if [ ! -s "$out/truncated-body.avi" ]; then
  head -c $((size * 4 / 10)) "$base" >"$out/.tb.part" && mv "$out/.tb.part" "$out/truncated-body.avi"
fi
if [ ! -s "$out/corrupt-body.avi" ]; then
  # Header and index stay; everything from 16 KB to 1 KB before the end is noise.
  cp "$base" "$out/.cb.part"
  head -c $((size - 16384 - 1024)) /dev/urandom |
    dd of="$out/.cb.part" bs=1024 seek=16 conv=notrunc status=none
  mv "$out/.cb.part" "$out/corrupt-body.avi"
fi
echo "damaged clips ready in $out"
