#!/bin/sh
# Lists an encoded file's streams and chapters for the tracks test, and the
# timing of its first video and sound stream, by the host's ffprobe, written
# in one step:
#   stream.N=TYPE CODEC[@RATE] LANGUAGE default|-    chapters=COUNT
#   video.durations=DISTINCT FRAME DURATIONS  video.end=SECONDS  audio.end=SECONDS
#   flashes=TIMES THE PICTURE TURNS WHITE  beeps=TIMES SOUND STARTS AFTER SILENCE
# Usage: tracks-summary.sh <output> <result file>
output=$1
result=$2
{
  ffprobe -v error -show_entries stream=codec_type,codec_name,sample_rate:stream_tags=language:stream_disposition=default \
    -of default=noprint_wrappers=1 "$output" |
    awk -F= 'function put() { if (n >= 0) print "stream." n "=" type " " codec " " lang " " d }
      BEGIN { n = -1 }
      /^codec_name=/ { put(); n++; codec = $2; lang = "-"; d = "-" }
      /^codec_type=/ { type = $2 }
      /^sample_rate=/ { codec = codec "@" $2 }
      /^DISPOSITION:default=1/ { d = "default" }
      /^TAG:language=/ { lang = $2 }
      END { put() }'
  echo "chapters=$(ffprobe -v error -show_chapters -of csv=p=0 "$output" | grep -c .)"
  for kind in video audio; do
    ffprobe -v error -select_streams "${kind%"${kind#?}"}:0" -show_entries packet=pts_time,duration_time \
      -of csv=p=0 "$output" |
      awk -F, -v kind="$kind" '{ e = $1 + $2; if (e > end) end = e; seen[$2] = 1 }
        END { n = 0; for (d in seen) n++; print kind ".durations=" n; print kind ".end=" end }'
  done
  printf 'flashes='
  ffprobe -v error -f lavfi -i "movie=$output,signalstats" -show_entries frame=pts_time:frame_tags=lavfi.signalstats.YAVG \
    -of csv=p=0 | awk -F, '$2 > 100 && !white { printf "%s ", $1 } { white = $2 > 100 }'
  printf '\nbeeps='
  ffmpeg -nostdin -hide_banner -i "$output" -vn -af silencedetect=n=-30dB:d=0.05 -f null - 2>&1 |
    sed -n 's/.*silence_end: \([0-9.]*\).*/\1/p' | tr '\n' ' '
  echo
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
