#!/usr/bin/env python3
"""Writes Wine's Tahoma Bold without its embedded bitmap strikes.

Wine's tahomabd.ttf carries bitmap strikes (9 to 16 pixels) drawn with regular
strokes, so Tahoma Bold at the program's sizes (12 pt = 16 px day numbers, 13 px
titles) comes out exactly like Tahoma Regular. Windows draws those sizes bold. Without
the strikes the outlines are used and the text is bold, as a Windows user sees it.
The revision is raised so that Wine prefers this copy to its own.

usage: tahoma-bold.py <wine's tahomabd.ttf> <output .ttf>
"""
import sys

from fontTools.ttLib import TTFont

source, target = sys.argv[1], sys.argv[2]
font = TTFont(source)
for table in ("EBDT", "EBLC", "BDF "):
    if table in font:
        del font[table]
font["head"].fontRevision += 1
font.save(target)
