#!/usr/bin/env python3
"""Writes the program's icon, a small TV showing the gray test picture on blue, as 4-bit PNGs.

Run from this folder: python3 MakeIcons.py
"""

import struct
import zlib

# Sixteen colours: the classic VGA palette, with its unused dark magenta as the transparent one.
PALETTE = [
    (".", (128, 0, 128, 0)), ("k", (0, 0, 0, 255)), ("r", (128, 0, 0, 255)),
    ("g", (0, 128, 0, 255)), ("y", (128, 128, 0, 255)), ("n", (0, 0, 128, 255)),
    ("c", (0, 128, 128, 255)), ("s", (192, 192, 192, 255)), ("d", (128, 128, 128, 255)),
    ("R", (255, 0, 0, 255)), ("G", (0, 255, 0, 255)), ("Y", (255, 255, 0, 255)),
    ("B", (0, 0, 255, 255)), ("M", (255, 0, 255, 255)), ("C", (0, 255, 255, 255)),
    ("w", (255, 255, 255, 255)),
]

ICON_32 = [
    "................................",
    "..........k.........k...........",
    "...........k.......k............",
    "............k.....k.............",
    ".............k...k..............",
    "..............k.k...............",
    "...............k................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "..kssssssssssssssssssssssssssk..",
    "..kswwwwwwwwwwwwwwwwwwwwwssssk..",
    "..kswkkkkkkkkkkkkkkkkkkkdssssk..",
    "..kswkwwsswwssddssddkkBBdsddsk..",
    "..kswkwwsswwssddssddkkBBdsdRdk..",
    "..kswksswwsswwddssddkkBBdsddsk..",
    "..kswksswwsswwssddkkddBBdssssk..",
    "..kswkwwsswwssddkkddkkBBdsddsk..",
    "..kswkwwsswwssddkkddkkBBdsdGdk..",
    "..kswksswwssddssddkkddBBdsddsk..",
    "..kswksswwssddssddkkddBBdssssk..",
    "..kswkwwssddssddkkddkkBBdssssk..",
    "..kswkwwssddssddkkddkkBBdskksk..",
    "..kswkBBBBBBBBBBBBBBBBBBdskksk..",
    "..kswkBBBBBBBBBBBBBBBBBBdskksk..",
    "..kswkBBBBBBBBBBBBBBBBBBdskksk..",
    "..kswkBBBBBBBBBBBBBBBBBBdssssk..",
    "..kswddddddddddddddddddddssssk..",
    "..kssssssssssssssssssssssssssk..",
    "..kddddddddddddddddddddddddddk..",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    ".....kkk................kkk.....",
    ".....kkk................kkk.....",
    "................................",
]

ICON_16 = [
    "................",
    ".....k....k.....",
    "......k..k......",
    ".......kk.......",
    "kkkkkkkkkkkkkkkk",
    "kswwwwwwwwwwsssk",
    "kswkkkkkkkkdsssk",
    "kswwsdkBBBBdsRsk",
    "kswswdkBBBBdsssk",
    "kswwsdkBBBBdsGsk",
    "kswsdkdBBBBdsssk",
    "kswBBBBBBBBdsssk",
    "kswddddddddddssk",
    "kddddddddddddddk",
    "kkkkkkkkkkkkkkkk",
    "..kk........kk..",
]


def Chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def WritePng(path, rows):
    size = len(rows)
    assert all(len(row) == size for row in rows), path
    index = {key: i for i, (key, _) in enumerate(PALETTE)}
    raw = b""
    for row in rows:
        nibbles = [index[key] for key in row]
        raw += b"\0" + bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, size, 2))
    png = b"\x89PNG\r\n\x1a\n"
    png += Chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0))
    png += Chunk(b"PLTE", b"".join(bytes(colour[:3]) for _, colour in PALETTE))
    png += Chunk(b"tRNS", bytes(colour[3] for _, colour in PALETTE))
    png += Chunk(b"IDAT", zlib.compress(raw, 9))
    png += Chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


WritePng("zeveduz-16.png", ICON_16)
WritePng("zeveduz-32.png", ICON_32)
