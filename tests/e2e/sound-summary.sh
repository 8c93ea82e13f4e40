#!/bin/sh
# Describes a file for the sound-only and streams-kept tests by the host's
# ffprobe and ffmpeg, written in one step:
#   duration=SECONDS  chapters=COUNT  tag.title= tag.artist= tag.date=
#   stream.N=TYPE CODEC[@RATE/CHANNELS] LANGUAGE default|-
#   video.packets=COUNT  video.hash=MD5 OF THE FIRST VIDEO STREAM'S PACKETS
# Usage: sound-summary.sh <file> <result file>
file=$1
result=$2
{
  ffprobe -v error -show_entries format=duration:format_tags=title,artist,date \
    -of default=noprint_wrappers=1 "$file" |
    sed -e 's/^TAG:/tag./'
  echo "chapters=$(ffprobe -v error -show_chapters -of csv=p=0 "$file" | grep -c .)"
  ffprobe -v error -show_entries stream=codec_type,codec_name,sample_rate,channels:stream_tags=language:stream_disposition=default \
    -of default=noprint_wrappers=1 "$file" |
    awk -F= 'function put() { if (n >= 0) print "stream." n "=" type " " codec rate " " lang " " d }
      BEGIN { n = -1 }
      /^codec_name=/ { put(); n++; codec = $2; rate = ""; lang = "-"; d = "-" }
      /^codec_type=/ { type = $2 }
      /^sample_rate=/ { rate = "@" $2 }
      /^channels=/ { rate = rate "/" $2 }
      /^DISPOSITION:default=1/ { d = "default" }
      /^TAG:language=/ { lang = $2 }
      END { put() }'
  if ffprobe -v error -select_streams v:0 -show_entries stream=index -of csv=p=0 "$file" | grep -q .; then
    echo "video.packets=$(ffprobe -v error -select_streams v:0 -count_packets -show_entries stream=nb_read_packets -of csv=p=0 "$file")"
    echo "video.hash=$(ffmpeg -nostdin -v error -i "$file" -map 0:v:0 -c copy -f streamhash -hash md5 - | sed 's/.*MD5=//')"
  fi
  echo "end=1"
} >"$result.part" 2>&1
mv "$result.part" "$result"
