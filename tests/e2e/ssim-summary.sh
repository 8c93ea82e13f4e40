#!/bin/sh
# SSIM of an encoded file against its source, by the host's ffmpeg: the source
# is scaled to the output's size and both start at time 0, so the frames pair
# up. Writes "ssim=<All value>" and "bytes=<output size>", then "end=1", to
# the result file in one step (written aside, then renamed).
# Usage: ssim-summary.sh <output> <source> <result file>
output=$1
source=$2
result=$3
{
  ffmpeg -nostdin -hide_banner -i "$output" -i "$source" -lavfi \
    "[1:v][0:v]scale2ref=flags=bicubic[ref][out];[out]setpts=PTS-STARTPTS[o];[ref]setpts=PTS-STARTPTS[r];[o][r]ssim" \
    -f null - 2>&1 | sed -n 's/.*SSIM .* All:\([0-9.]*\).*/ssim=\1/p'
  echo "bytes=$(stat -c %s "$output")"
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
