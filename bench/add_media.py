#!/usr/bin/env python3
"""Adds raw files, HEIF pictures and videos to a tree of pictures, for the benchmark of --types all.

    bench/add_media.py TREE COUNT MEDIA_DIR

Spreads COUNT files over the folders of TREE, made from the small fixtures in MEDIA_DIR (one per
kind the program reads), each with a date of its own written over the fixture's date texts, so
that no two copies of one extension clash.
"""
import datetime
import os
import re
import sys

# The fixture, the name its copies get, and whether its date is written the ISO way.
FIXTURES = [
    ("dated.dng", "IMG_{}.DNG", False),
    ("ifd0-at-16.cr2", "IMG_{}.CR2", False),
    ("fuji.raf", "DSCF{}.RAF", False),
    ("picture.heic", "IMG_{}.HEIC", False),
    ("picture.avif", "IMG_{}.avif", False),
    ("keys.mov", "MVI_{}.MOV", True),
    ("clip.mov", "VID_{}.mp4", True),
]
EXIF_DATE = re.compile(rb"\d{4}:\d\d:\d\d \d\d:\d\d:\d\d")
ISO_DATE = re.compile(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d")


def main():
    tree, count, media = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    folders = sorted(root for root, _, _ in os.walk(tree))
    fixtures = [(open(os.path.join(media, name), "rb").read(), pattern, iso) for name, pattern, iso in FIXTURES]
    start = datetime.datetime(2010, 1, 1)
    for i in range(count):
        data, pattern, iso = fixtures[i % len(fixtures)]
        when = start + datetime.timedelta(seconds=3607 * i)
        if iso:
            data = ISO_DATE.sub(when.strftime("%Y-%m-%dT%H:%M:%S").encode(), data)
        else:
            data = EXIF_DATE.sub(when.strftime("%Y:%m:%d %H:%M:%S").encode(), data)
        with open(os.path.join(folders[i % len(folders)], pattern.format(i)), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
