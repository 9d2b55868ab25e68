#!/usr/bin/env python3
"""Writes the program's icon, a small TV showing the gray test picture on blue, as 4-bit PNGs at
every size a desktop asks for and as the Windows program's icon resource ../win32/zeveduz.ico.

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


SIZES = [16, 24, 32, 48, 64, 128, 256]
ICO_SIZES = [16, 24, 32, 48, 256]


def Drawn(size):
    """The drawing at the whole factor that fills the most of the size, centred: sharp at any size.
    On a tie the finer drawing wins."""
    fits = [art for art in (ICON_32, ICON_16) if len(art) <= size]
    art = max(fits, key=lambda art: size // len(art) * len(art))
    factor = size // len(art)
    before = (size - factor * len(art)) // 2
    after = size - before - factor * len(art)
    rows = [row for row in art for _ in range(factor)]
    rows = ["." * before + "".join(key * factor for key in row) + "." * after for row in rows]
    return ["." * size] * before + rows + ["." * size] * after


def Chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def Png(rows):
    size = len(rows)
    assert all(len(row) == size for row in rows), size
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
    return png


def IconImage(rows):
    """One image of an .ico: a 4-bit bitmap and its transparency mask, both bottom-up; 256 pixels
    as a PNG, as Windows expects at that size."""
    size = len(rows)
    if size == 256:
        return Png(rows)
    index = {key: i for i, (key, _) in enumerate(PALETTE)}
    # Transparent pixels are drawn by XOR over the screen: their colour must be black.
    palette = b"".join(bytes([b, g, r, 0]) if a else b"\0\0\0\0" for _, (r, g, b, a) in PALETTE)
    colours, mask = b"", b""
    for row in reversed(rows):
        nibbles = [index[key] for key in row]
        line = bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, size, 2))
        colours += line + bytes(-len(line) % 4)
        bits = "".join("1" if PALETTE[n][1][3] == 0 else "0" for n in nibbles)
        line = bytes(int(bits[i:i + 8], 2) for i in range(0, size, 8))
        mask += line + bytes(-len(line) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colours) + len(mask),
                         0, 0, len(PALETTE), 0)
    return header + palette + colours + mask


def WriteIco(path, icons):
    images = [IconImage(rows) for rows in icons]
    ico = struct.pack("<HHH", 0, 1, len(images))
    offset = len(ico) + 16 * len(images)
    for rows, image in zip(icons, images):
        side = len(rows) % 256  # 0 stands for 256
        ico += struct.pack("<BBBBHHII", side, side, len(PALETTE), 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(ico + b"".join(images))


for size in SIZES:
    with open(f"zeveduz-{size}.png", "wb") as out:
        out.write(Png(Drawn(size)))
WriteIco("../win32/zeveduz.ico", [Drawn(size) for size in ICO_SIZES])
