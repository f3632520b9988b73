#!/usr/bin/env python3
"""Packs the laid-out program folder into the portable zip, byte for byte the
same from the same files.

    portable-zip.py FOLDER ZIP

The archive holds one folder "Tivorn" with the program and its files. Names
with accents ("Színek.txt", "Data/Névnapok.txt") are stored the way Windows'
own zip folders read them on a Hungarian system (code page 852), plus the
Info-ZIP Unicode path field with the UTF-8 name, which 7-Zip, Info-ZIP and
newer Windows versions prefer. Every entry carries the time SOURCE_DATE_EPOCH
(UTC), entries are sorted, nothing of this machine's users or permissions
goes in.
"""
import os
import struct
import sys
import time
import zipfile
import zlib

TOP = "Tivorn"
LEGACY_CODE_PAGE = "cp852"


class HungarianZipInfo(zipfile.ZipInfo):
    """A zip entry whose non-ASCII name is written in code page 852."""

    def _encodeFilenameFlags(self):  # noqa: N802 (zipfile's name)
        try:
            return self.filename.encode("ascii"), self.flag_bits
        except UnicodeEncodeError:
            return self.filename.encode(LEGACY_CODE_PAGE), self.flag_bits & ~0x800


def unicode_path_field(name):
    legacy = name.encode("ascii", "strict") if name.isascii() else name.encode(LEGACY_CODE_PAGE)
    if legacy == name.encode("utf-8"):
        return b""
    data = struct.pack("<BI", 1, zlib.crc32(legacy)) + name.encode("utf-8")
    return struct.pack("<HH", 0x7075, len(data)) + data


def entry(name, stamp, is_dir):
    info = HungarianZipInfo(name, date_time=stamp)
    info.create_system = 0  # MS-DOS attributes: what Windows tools expect
    info.external_attr = 0x10 if is_dir else 0x20  # directory / archive
    info.compress_type = zipfile.ZIP_STORED if is_dir else zipfile.ZIP_DEFLATED
    info.extra = unicode_path_field(name)
    return info


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, target = sys.argv[1], sys.argv[2]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980

    paths = []
    for root, dirs, files in os.walk(folder):
        for d in dirs:
            paths.append((os.path.relpath(os.path.join(root, d), folder), True))
        for f in files:
            paths.append((os.path.relpath(os.path.join(root, f), folder), False))
    paths.sort()

    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    with zipfile.ZipFile(target + ".part", "w", compresslevel=9) as archive:
        archive.writestr(entry(TOP + "/", stamp, True), b"")
        for rel, is_dir in paths:
            name = TOP + "/" + rel.replace(os.sep, "/") + ("/" if is_dir else "")
            data = b""
            if not is_dir:
                with open(os.path.join(folder, rel), "rb") as f:
                    data = f.read()
            archive.writestr(entry(name, stamp, is_dir), data)
    os.replace(target + ".part", target)


if __name__ == "__main__":
    main()
