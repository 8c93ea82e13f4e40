#!/bin/sh
# Describes the picture of an encoded file for the picture tests, by the
# host's ffmpeg: the first video stream's colour tags, pixel format and field
# order, the file's creation_time, what idet finds (frames it calls
# interlaced, and all frames), and against a reference (the SDR original or
# the colour-bar source, scaled to the output's size and converted to the
# output's matrix) the SSIM, the PSNR and that of U and V. Written in one step.
# Usage: picture-summary.sh <output> <reference> <result file>
output=$1
reference=$2
result=$3
{
  ffprobe -v error -select_streams v:0 -show_entries \
    stream=pix_fmt,color_space,color_primaries,color_transfer,color_range,field_order \
    -of default=noprint_wrappers=1 "$output"
  ffprobe -v error -show_entries format_tags=creation_time -of default=noprint_wrappers=1 "$output"
  ffmpeg -nostdin -hide_banner -i "$output" -vf idet -an -f null - 2>&1 |
    sed -n 's/.*Multi frame detection: TFF: *\([0-9]*\) *BFF: *\([0-9]*\) *Progressive: *\([0-9]*\).*/idet.interlaced=\1 \2\nidet.progressive=\3/p' |
    awk '/interlaced/ { split($0, a, "="); split(a[2], n, " "); print "idet.interlaced=" n[1] + n[2]; next } { print }'
  matrix=$(ffprobe -v error -select_streams v:0 -show_entries stream=color_space -of csv=p=0 "$output")
  [ "$matrix" = bt709 ] || matrix=bt601
  refs="[1:v][0:v]scale2ref=flags=bicubic:in_color_matrix=bt709:out_color_matrix=$matrix[ref][out]"
  ffmpeg -nostdin -hide_banner -i "$output" -i "$reference" -lavfi \
    "$refs;[out]format=yuv420p,setpts=PTS-STARTPTS,split[o1][o2];[ref]format=yuv420p,setpts=PTS-STARTPTS,split[r1][r2];[o1][r1]ssim;[o2][r2]psnr" \
    -f null - 2>&1 | sed -n -e 's/.*SSIM .* All:\([0-9.]*\).*/ssim=\1/p' \
    -e 's/.*PSNR y:[0-9.inf]* u:\([0-9.inf]*\) v:\([0-9.inf]*\) average:\([0-9.inf]*\).*/psnr.u=\1\npsnr.v=\2\npsnr=\3/p'
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
