#!/bin/sh
# Makes the clips of the picture tests with the host's ffmpeg, into the clips
# folder (made again only when missing):
#   picture-sdr.mp4        2 s, 640x360 25 fps H.264 BT.709, the SDR original
#   picture-pq.mp4         the same picture as HDR10: HEVC 10-bit, BT.2020, PQ, mastering display
#   picture-hlg.mp4        the same picture as HLG: HEVC 10-bit, BT.2020, HLG
#   picture-576i.mpg       2 s, 720x576 25 fps interlaced (top first) MPEG-2 of moving bars + MP2
#   picture-1080i.mkv      1 s, 1920x1080 25 fps interlaced (top first) H.264 + AAC
#   picture-bars-720p.mp4  2 s, 1280x720 HD colour bars, H.264 BT.709
#   picture-dated.mp4      2 s, 320x240, creation_time 2021-06-05T14:30:00Z, file dated 2021-06-05
#   picture-dv5.mp4        picture-pq.mp4 as Dolby Vision profile 5 (no compatible base layer)
#   picture-dv81.mp4       picture-pq.mp4 as Dolby Vision profile 8.1 (an HDR10 base layer)
#   picture-vfr-sync.mp4   4 s, 320x240 timed on 30 fps, 3 frames of every 10 and a third of a
#                          second left out (19.25 fps on average); a white tenth of a second at 0.5, 1.5,
#                          2.5 and 3.5 s, a 1 kHz beep starting with each
#   picture-av1.mp4        picture-sdr.mp4 in AV1 (av01), with a tone
#   picture-av1-matroska.mkv        the same in Matroska
#   picture-tracks.mkv     2 s, 320x240, AAC (eng) and Vorbis (ger, the default) sound, SubRip (eng)
#                          and ASS (fre) subtitles, two chapters
# Usage: make-picture-clips.sh <folder>
set -eu
out=$1
mkdir -p "$out"
ff="ffmpeg -nostdin -hide_banner -loglevel error -y"
tone="sine=frequency=440:sample_rate=48000"
hdr="zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt2020:m=bt2020nc:r=tv:npl=100"
x265="log-level=none:colorprim=bt2020:colormatrix=bt2020nc"

make() {
  name=$1
  shift
  [ -s "$out/$name" ] && return 0
  $ff "$@" "$out/.$name.part" && mv "$out/.$name.part" "$out/$name"
}

make picture-sdr.mp4 -f lavfi -i "testsrc2=size=640x360:rate=25" -t 2 -c:v libx264 -crf 18 \
  -pix_fmt yuv420p -color_primaries bt709 -color_trc bt709 -colorspace bt709 -f mp4
make picture-pq.mp4 -i "$out/picture-sdr.mp4" -vf "$hdr:t=smpte2084,format=yuv420p10le" -c:v libx265 \
  -x265-params "$x265:transfer=smpte2084:master-display=G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1):max-cll=1000,400" \
  -tag:v hvc1 -f mp4
make picture-hlg.mp4 -i "$out/picture-sdr.mp4" -vf "$hdr:t=arib-std-b67,format=yuv420p10le" -c:v libx265 \
  -x265-params "$x265:transfer=arib-std-b67" -tag:v hvc1 -f mp4
# Fields from a 50 fps moving picture, woven top first: idet sees combing in
# every frame of it.
make picture-576i.mpg -f lavfi -i "testsrc=size=720x576:rate=50" -f lavfi -i "$tone" -t 2 \
  -vf "interlace=scan=tff,setfield=tff" -c:v mpeg2video -b:v 6000k -flags +ilme+ildct -top 1 \
  -c:a mp2 -f mpeg
make picture-1080i.mkv -f lavfi -i "testsrc=size=1920x1080:rate=50" -f lavfi -i "$tone" -t 1 \
  -vf "interlace=scan=tff,setfield=tff" -c:v libx264 -preset ultrafast -flags +ilme+ildct -top 1 \
  -c:a aac -f matroska
make picture-bars-720p.mp4 -f lavfi -i "smptehdbars=size=1280x720:rate=25" -t 2 -c:v libx264 -crf 12 \
  -pix_fmt yuv420p -color_primaries bt709 -color_trc bt709 -colorspace bt709 -f mp4
make picture-dated.mp4 -f lavfi -i "testsrc=size=320x240:rate=25" -f lavfi -i "$tone" -t 2 \
  -c:v libx264 -preset ultrafast -c:a aac -metadata creation_time=2021-06-05T14:30:00Z -f mp4
touch -d "2021-06-05 14:31:00 UTC" "$out/picture-dated.mp4"
make picture-vfr-sync.mp4 -f lavfi \
  -i "color=c=black:s=320x240:r=30,drawbox=enable='between(mod(t\,1)\,0.49\,0.59)':color=white:t=fill" \
  -f lavfi -i "aevalsrc='if(between(mod(t\,1)\,0.5\,0.6)\,0.5*sin(2*PI*1000*t)\,0)':s=48000" -t 4 \
  -vf "select='not(between(mod(n\,10)\,1\,3))*not(between(n\,62\,72))'" -fps_mode vfr \
  -c:v libx264 -preset ultrafast -c:a aac -f mp4
make picture-av1.mp4 -i "$out/picture-sdr.mp4" -f lavfi -i "$tone" -t 2 -c:v libsvtav1 -preset 10 \
  -crf 35 -c:a aac -f mp4
make picture-av1-matroska.mkv -i "$out/picture-av1.mp4" -c copy -f matroska
for dv in "dv5 5 0 dvh1" "dv81 8 1 hvc1"; do
  set -- $dv
  [ -s "$out/picture-$1.mp4" ] && continue
  node "$(dirname "$0")/dolby-vision-clip.js" "$out/picture-pq.mp4" "$out/.picture-$1.part" "$2" "$3" "$4"
  mv "$out/.picture-$1.part" "$out/picture-$1.mp4"
done
if [ ! -s "$out/picture-tracks.mkv" ]; then
  printf '1\n00:00:00,200 --> 00:00:01,000\nHello\n\n2\n00:00:01,200 --> 00:00:01,900\nWorld\n' \
    >"$out/.tracks.srt"
  printf ';FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=1000\ntitle=One\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=1000\nEND=2000\ntitle=Two\n' \
    >"$out/.tracks.txt"
  make picture-tracks.mkv -f lavfi -i "testsrc=size=320x240:rate=25" -f lavfi -i "$tone" \
    -f lavfi -i "sine=frequency=880:sample_rate=44100" -i "$out/.tracks.srt" -i "$out/.tracks.txt" \
    -t 2 -map 0:v -map 1:a -map 2:a -map 3:s -map 3:s -map_chapters 4 -c:v libx264 -preset ultrafast \
    -c:a:0 aac -c:a:1 libvorbis -c:s:0 srt -c:s:1 ass -metadata:s:a:0 language=eng \
    -metadata:s:a:1 language=ger -metadata:s:s:0 language=eng -metadata:s:s:1 language=fre \
    -disposition:a:0 0 -disposition:a:1 default -disposition:s:0 default -disposition:s:1 0 -f matroska
fi
echo "picture clips ready in $out"
