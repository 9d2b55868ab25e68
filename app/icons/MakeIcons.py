#!/usr/bin/env python3
"""Writes the program's icon, a small TV showing the gray test picture on blue, as 16-colour XPMs.

Run from this folder: python3 MakeIcons.py
"""

# The sixteen colours of the classic VGA palette; each image declares all of them.
PALETTE = {
    "k": "#000000", "r": "#800000", "g": "#008000", "y": "#808000",
    "n": "#000080", "m": "#800080", "c": "#008080", "s": "#C0C0C0",
    "d": "#808080", "R": "#FF0000", "G": "#00FF00", "Y": "#FFFF00",
    "B": "#0000FF", "M": "#FF00FF", "C": "#00FFFF", "w": "#FFFFFF",
}

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


def WriteXpm(name, rows):
    size = len(rows)
    assert all(len(row) == size for row in rows), name
    lines = ["/* XPM */", f"static const char* {name}[] = {{", f'"{size} {size} 17 1",',
             '". c None",']
    lines += [f'"{key} c {value}",' for key, value in PALETTE.items()]
    lines += [f'"{row}",' for row in rows[:-1]] + [f'"{rows[-1]}"', "};"]
    with open(f"{name}.xpm", "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


WriteXpm("zeveduz16", ICON_16)
WriteXpm("zeveduz32", ICON_32)
