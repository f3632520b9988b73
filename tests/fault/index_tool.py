#!/usr/bin/env python3
"""Index files for the fault scripts.

  index_tool.py make <Data folder> <lines>        large index around today, notes of this month
  index_tool.py store <index> <yyyymmdd> <title>  the index as the editor's save leaves it:
                                                  title 1 of the day's last line replaced
  index_tool.py whole-rtf <file> <text>           exit 0 when the file is a whole RTF document
                                                  holding the text
  index_tool.py kill-in-save <Data> <name> <pid> <ms> <late ms>
                                                  kills the process a random 0..<late ms> after a
                                                  temporary file of a save of <name> shows up in
                                                  Data (at the latest after <ms>); prints "in save"
                                                  or "late"
"""
import datetime
import os
import pathlib
import random
import signal
import sys
import time

TITLE = 20


def make(data, count):
    data = pathlib.Path(data)
    day = datetime.date.today() - datetime.timedelta(days=count // 2)
    lines = []
    for n in range(count):
        title1 = f"Bejegyzés {n}"[:TITLE].ljust(TITLE)
        title2 = ("Névnap" if n % 3 else "Fogorvos ő").ljust(TITLE)
        colour1 = f"${(n * 2654435761) % 0xFFFFFF:X}".ljust(8)
        colour2 = "$0".ljust(8)
        lines.append(day.strftime("%Y%m%d") + title1 + title2 + colour1 + colour2)
        day += datetime.timedelta(days=1)
    (data / "index.txt").write_bytes("".join(l + "\r\n" for l in lines).encode("cp1250"))
    today = datetime.date.today()
    for d in range(1, 29):
        name = today.replace(day=d).strftime("%Y%m%d") + ".rtf"
        (data / name).write_bytes(
            b"{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Jegyzet " + name.encode() + b"\\par\r\n}\r\n")


def store(index, date, title):
    raw = pathlib.Path(index).read_bytes()
    lines = raw.split(b"\r\n")
    key = date.encode()
    for i in range(len(lines) - 1, -1, -1):
        if lines[i].startswith(key):
            line = lines[i].ljust(64)
            lines[i] = line[:8] + title.encode("cp1250")[:TITLE].ljust(TITLE) + line[28:]
            break
    else:
        sys.exit(f"no line of {date}")
    sys.stdout.buffer.write(b"\r\n".join(lines))


def whole_rtf(path, text):
    data = pathlib.Path(path).read_bytes()
    body = data.rstrip(b"\r\n\0")
    depth = 0
    escaped = False
    for b in body:
        if escaped:
            escaped = False
        elif b == ord("\\"):
            escaped = True
        elif b == ord("{"):
            depth += 1
        elif b == ord("}"):
            depth -= 1
    ok = body.startswith(b"{\\rtf") and body.endswith(b"}") and depth == 0 and text.encode() in body
    sys.exit(0 if ok else 1)


def kill_in_save(data, prefix, pid, wait_ms, late_ms):
    deadline = time.monotonic() + wait_ms / 1000
    seen = False
    while time.monotonic() < deadline and not seen:
        with os.scandir(data) as entries:
            seen = any(e.name.startswith(prefix) and e.name.endswith((".tivorn-tmp", ".tmp")) for e in entries)
        if not seen:
            time.sleep(0.001)
    if seen:
        time.sleep(random.uniform(0, late_ms / 1000))
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    print("in save" if seen else "late")


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "make":
        make(sys.argv[2], int(sys.argv[3]))
    elif command == "store":
        store(sys.argv[2], sys.argv[3], sys.argv[4])
    elif command == "kill-in-save":
        kill_in_save(sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6]))
    elif command == "whole-rtf":
        whole_rtf(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
