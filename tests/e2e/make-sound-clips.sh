#!/bin/sh
# Makes the clips of the sound-only and streams-kept tests with the host's
# ffmpeg, 3 s each, small pictures.
# Usage: make-sound-clips.sh <folder>
#   sound-video.mp4   H.264 + AAC 44.1 kHz stereo, title, artist and date tags, two chapters
#   sound-only.wav    PCM 44.1 kHz stereo, no picture
#   kept-tracks.mkv   H.264 + AAC (eng) and Vorbis (fre, the default) sound, SubRip (eng)
#   kept-vp8.webm     VP8 + Vorbis
#   kept-divx.avi     MPEG-4 with B-frames (DX50) + MP3: packets without timestamps
# A clip is made again only when it is missing.
set -eu
out=$1
mkdir -p "$out"
ff="ffmpeg -nostdin -hide_banner -loglevel error -y"
pic="testsrc2=size=320x240:rate=25:duration=3"
stereo="sine=frequency=440:duration=3:sample_rate=44100"

make() {
  name=$1
  shift
  [ -s "$out/$name" ] && return 0
  $ff "$@" "$out/part-$name" && mv "$out/part-$name" "$out/$name"
}

printf ';FFMETADATA1\ntitle=Lake song\nartist=The Testers\ndate=2024\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=1500\ntitle=One\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=1500\nEND=3000\ntitle=Two\n' \
  >"$out/.sound-meta.txt"
make sound-video.mp4 -f lavfi -i "$pic" -f lavfi -i "$stereo" -i "$out/.sound-meta.txt" \
  -map 0 -map 1 -map_metadata 2 -map_chapters 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
  -c:a aac -ac 2 -af "pan=stereo|c0=c0|c1=0.5*c0"
make sound-only.wav -f lavfi -i "$stereo" -ac 2 -c:a pcm_s16le
printf '1\n00:00:00,500 --> 00:00:02,000\nHello\n\n2\n00:00:02,000 --> 00:00:02,800\nWorld\n' \
  >"$out/.kept.srt"
make kept-tracks.mkv -f lavfi -i "$pic" -f lavfi -i "$stereo" \
  -f lavfi -i "sine=frequency=660:duration=3:sample_rate=48000" -i "$out/.kept.srt" \
  -map 0 -map 1 -map 2 -map 3 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25 \
  -c:a:0 aac -ac:a:0 2 -c:a:1 libvorbis -ac:a:1 2 -c:s srt \
  -metadata:s:a:0 language=eng -metadata:s:a:1 language=fre -metadata:s:s:0 language=eng \
  -disposition:a:0 0 -disposition:a:1 default
make kept-vp8.webm -f lavfi -i "$pic" -f lavfi -i "$stereo" -c:v libvpx -b:v 300k -c:a libvorbis
make kept-divx.avi -f lavfi -i "$pic" -f lavfi -i "$stereo" -c:v mpeg4 -bf 2 -q:v 4 -vtag DX50 \
  -c:a libmp3lame -b:a 128k
