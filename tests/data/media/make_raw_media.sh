#!/usr/bin/env bash
# Makes the small raw files of this folder that the raw readers' tests compare with exiftool: a
# bare TIFF structure of each header kind (a 2 x 2 grey strip, no maker data), crafted here with
# perl, into which exiftool writes the dates; and a .raf around a small JPEG that cjpeg makes and
# exiftool dates. Prints the dates exiftool reads back, for the tests' table. Needs exiftool, perl
# and cjpeg (Debian: libimage-exiftool-perl, libjpeg-turbo-progs); neither the tests nor CI run it.
set -euo pipefail
cd "$(dirname "$0")"

# tiff FILE MAGIC GAP [DATE]: the four header bytes MAGIC (its first two give the byte order), GAP
# bytes between the header and IFD0 (zeros; for .cr2 its "CR" block naming IFD0 as the raw IFD),
# IFD0 with the eight entries of the picture and, given a DATE, a DateTime, then the strip and
# the date's text.
tiff() {
  perl -e '
    my ($file, $magic, $gap, $date) = @ARGV;
    $magic =~ s/\\0/\0/g;
    my ($s, $l) = substr($magic, 0, 2) eq "II" ? ("v", "V") : ("n", "N");
    my $ifd0 = 8 + $gap;
    my @entries = ([256, 3, 1, 2], [257, 3, 1, 2], [258, 3, 1, 8], [259, 3, 1, 1], [262, 3, 1, 1],
                   [273, 4, 1, 0], [278, 3, 1, 2], [279, 4, 1, 4]);
    push @entries, [306, 2, 20, 0] if defined $date;
    my $strip = $ifd0 + 2 + @entries * 12 + 4;
    $entries[5][3] = $strip;
    $entries[8][3] = $strip + 4 if defined $date;
    my $after = $file =~ /\.cr2$/ ? "CR\x02\x00" . pack($l, $ifd0) . ("\0" x ($gap - 8)) : "\0" x $gap;
    my $bytes = $magic . pack($l, $ifd0) . $after . pack($s, scalar @entries);
    for my $e (@entries) {
      my ($tag, $type, $count, $value) = @$e;
      $bytes .= pack($s . $s . $l, $tag, $type, $count);
      $bytes .= $type == 3 ? pack($s . $s, $value, 0) : pack($l, $value);
    }
    $bytes .= pack($l, 0) . "\x80\x80\x80\x80";
    $bytes .= $date . "\0" if defined $date;
    open(my $out, ">:raw", $file) or die;
    print $out $bytes;
  ' "$@"
}

# dated FILE ARGS...: exiftool writes the dates ARGS into FILE.
dated() { exiftool -q -overwrite_original "${@:2}" "$1"; }

# raf FILE: a .raf header around an undated 8 x 8 grey JPEG at offset 148, then a few bytes of
# sensor data; the header names the JPEG's offset and length at bytes 84 and 88, big-endian.
raf() {
  local picture
  picture=$(mktemp)
  perl -e 'print "P5\n8 8\n255\n", "\x80" x 64' | cjpeg -quality 50 >"$picture"
  perl -e '
    my ($jpeg, $file) = @ARGV;
    open(my $in, "<:raw", $jpeg) or die;
    local $/;
    my $picture = <$in>;
    my $offset = 148;
    my $end = $offset + length($picture);
    my $header = "FUJIFILMCCD-RAW 0201FF383501" . pack("a32", "X-T99") . "0100" . ("\0" x 20);
    $header .= pack("N6", $offset, length($picture), $end, 16, $end + 16, 16);
    open(my $out, ">:raw", $file) or die;
    print $out $header, "\0" x ($offset - length($header)), $picture, "\0" x 32;
  ' "$picture" "$1"
  rm -f "$picture"
}

tiff dated.dng 'II*\0' 0
dated dated.dng -DNGVersion=1.4.0.0 -ModifyDate='2019:07:14 09:15:00' -DateTimeOriginal='2019:07:14 09:10:11'
tiff undated.dng 'II*\0' 0
tiff big-endian.pef 'MM\0*' 0
dated big-endian.pef -ModifyDate='2013:02:03 05:05:05' -DateTimeOriginal='2013:02:03 04:05:06'
tiff olympus-ro.orf 'IIRO' 0
dated olympus-ro.orf -DateTimeOriginal='2017:02:03 04:05:06'
tiff olympus-rs.orf 'IIRS' 0
dated olympus-rs.orf -DateTimeOriginal='2015:12:31 23:59:59'
tiff olympus-or.orf 'MMOR' 0
dated olympus-or.orf -DateTimeOriginal='2016:02:29 12:00:00'
# exiftool rewrites a .cr2 only with its raw image, so this one keeps the date crafted into it;
# exiftool's reading is the check.
tiff ifd0-at-16.cr2 'II*\0' 8 '2018:01:02 03:04:05'
raf fuji.raf
dated fuji.raf -ModifyDate='2012:11:10 09:08:30' -DateTimeOriginal='2012:11:10 09:08:07'

for file in *.dng *.pef *.orf *.cr2 *.raf; do
  echo "== $file"
  exiftool -time:all -a -G1 -s "$file" | grep -v System || true
done
