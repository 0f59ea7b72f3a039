#!/usr/bin/env bash
# Makes the small HEIF pictures and videos of this folder with independent tools (ffmpeg,
# heif-enc, exiftool; Debian: ffmpeg libheif-examples libimage-exiftool-perl), and writes
# dates.txt, the dates that exiftool reads from them, for the date readers' tests. Not run by the
# tests or CI; run it again only to remake the files, and commit what it makes.
#
# dates.txt: one file a line, "name<TAB>date in UTC0<TAB>date in Central Europe", each date as
# the program forms it ("YYYY:MM:DD HH:MM:SS", "-" for none). The two columns differ only where
# the date is the movie header's UTC time shown in the local zone.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
centralEurope='CET-1CEST,M3.5.0,M10.5.0/3'
still=(-v error -f lavfi -i color=c=gray:s=16x16 -frames:v 1)
moving=(-v error -f lavfi -i color=c=black:s=16x16:d=0.1:r=10 -c:v libx264 -preset ultrafast)

# HEIF and AVIF pictures from a JPEG that carries DateTimeOriginal and ModifyDate (IFD0 DateTime).
ffmpeg "${still[@]}" "$work/source.jpg"
exiftool -q -overwrite_original '-DateTimeOriginal=2019:06:15 10:20:30' '-ModifyDate=2018:01:02 03:04:05' \
  "$work/source.jpg"
heif-enc -q 30 "$work/source.jpg" -o picture.heic
heif-enc -A -q 30 "$work/source.jpg" -o picture.avif
# Only IFD0's DateTime: the date a JPEG would give then.
ffmpeg "${still[@]}" "$work/modified.jpg"
exiftool -q -overwrite_original '-ModifyDate=2017:03:04 05:06:07' "$work/modified.jpg"
heif-enc -q 30 "$work/modified.jpg" -o modified.heic

# Videos: the movie header's time only; the QuickTime creation date in udta/meta (ffmpeg's
# form); the QuickTime creation date in moov/meta (exiftool's form); no date at all; the older
# "©day" text of the user data beside a movie header's time (a .mov), and as an item (an .mp4).
ffmpeg "${moving[@]}" -metadata creation_time=2020-08-09T10:11:12Z -y movie.mp4
ffmpeg "${moving[@]}" -movflags use_metadata_tags -metadata com.apple.quicktime.creationdate=2021-07-04T15:30:12+0200 \
  -metadata creation_time=2021-07-04T13:30:12Z -y clip.mov
ffmpeg "${moving[@]}" -metadata creation_time=2022-01-15T08:00:00Z -f mov -y keys.mov
exiftool -q -overwrite_original '-Keys:CreationDate=2022:12:24 18:45:00+01:00' keys.mov
ffmpeg "${moving[@]}" -fflags +bitexact -y undated.m4v
ffmpeg "${moving[@]}" -metadata date=2019-03-04T05:06:07 -metadata creation_time=2019-01-01T00:00:00Z -y day.mov
ffmpeg "${moving[@]}" -metadata date=2018-05-06T07:08:09 -y day.mp4

# The date exiftool reads in the zone `zone`: a picture's DateTimeOriginal, else its ModifyDate;
# a video's QuickTime creation date as written, else its "©day" text as written, else its movie
# header's time in that zone.
dateIn() {
  local zone=$1 file=$2 date
  date=$(exiftool -q -s3 -d '%Y:%m:%d %H:%M:%S' -Keys:CreationDate -UserData:ContentCreateDate \
    -ItemList:ContentCreateDate -ExifIFD:DateTimeOriginal -IFD0:ModifyDate "$file" | head -n 1)
  # The movie header's time, unless it is 0 (which exiftool shows as zeros without QuickTimeUTC).
  if [ -z "$date" ] && [[ $(exiftool -q -s3 -QuickTime:CreateDate "$file") != 0000* ]]; then
    date=$(TZ=$zone exiftool -q -api QuickTimeUTC=1 -s3 -d '%Y:%m:%d %H:%M:%S' -QuickTime:CreateDate "$file")
  fi
  # The QuickTime creation date keeps its own zone: only its date and time count.
  date=${date:0:19}
  echo "${date:--}"
}
for file in picture.heic picture.avif modified.heic movie.mp4 clip.mov keys.mov undated.m4v day.mov day.mp4; do
  printf '%s\t%s\t%s\n' "$file" "$(dateIn UTC0 "$file")" "$(dateIn "$centralEurope" "$file")"
done >dates.txt
cat dates.txt
