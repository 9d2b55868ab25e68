#!/usr/bin/python3
"""The real zeveduz with its sample recording, run as a person would on the X server that xvfb-run
gives it: typed into, clicked, read off the screen.
    e2e_drive.py <zeveduz> <sample.raw> [<screenshot after the preview>]"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

TITLE, CLOSING_TITLE = "ZE Veduz", "ZIDA ready to be written by CDRWIN!"
# Centres of the controls in the client area, in pixels (twips / 15).
SKEW, UP, NAME, CHECK, MAKE = (36, 121), (76, 121), (56, 162), (56, 196), (56, 228)
PICTURE = (15, 9, 83, 82)  # the drawing area inside TVScreen's frame: left, top, width, height
# Rows of the sample's tenth frame, a hexadecimal digit a pixel: bars of the sixteen levels,
# rising above the middle and falling below, and a square with a black edge from (27, 18).
CARD_ROWS = {
    18: "00000111112222233333444445500000000000078888899999AAAAABBBBBCCCCCDDDDDEEEEEFFFFF",
    24: "0000011111222223333344444550FFFFFFFFFF078888899999AAAAABBBBBCCCCCDDDDDEEEEEFFFFF",
    80: "FFFFFEEEEEDDDDDCCCCCBBBBBAAAAA99999888887777766666555554444433333222221111100000",
}
BLUE = bytes([0, 0, 255])


def Run(*args, **options):
    return subprocess.run(args, check=True, capture_output=True, timeout=60, **options).stdout


def WaitFor(what, probe, timeout=60):
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        assert time.monotonic() < deadline, f"waited {timeout} s for {what}"
        time.sleep(0.2)
    return value


def Windows(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True)
    return found.stdout.split()


def Start(program, cwd):
    """The program, started from another folder than its own, and its window's corner."""
    app = subprocess.Popen([program], cwd=cwd)
    app.window = WaitFor("the window", lambda: Windows(TITLE))[0]
    where = dict(line.split("=") for line in
                 Run("xdotool", "getwindowgeometry", "--shell", app.window, text=True).split())
    app.corner = int(where["X"]), int(where["Y"])
    return app


def Do(app, *steps):
    """xdotool steps; a control's centre stands for a click on it."""
    for step in steps:
        if isinstance(step[0], int):
            x, y = app.corner[0] + step[0], app.corner[1] + step[1]
            step = ("mousemove", "--sync", str(x), str(y), "click", "1")
        Run("xdotool", *step)


def ShowsTheCard(app):
    """The card's rows in the drawing area's top left corner, blue to their right and below."""
    left, top, width, height = PICTURE
    x, y = app.corner[0] + left, app.corner[1] + top
    screen = Run("import", "-window", "root", "png:-")
    picture = Run("convert", "png:-", "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8", "rgb:-",
                  input=screen)
    rows = [picture[y * width * 3:(y + 1) * width * 3] for y in range(height)]
    card = all(rows[y][:240] == bytes(int(v, 16) * 17 for v in row for _ in "rgb")
               for y, row in CARD_ROWS.items())
    return card and all(row[240:] == BLUE * 3 for row in rows) and rows[81] == BLUE * width


def main():
    program, sample, screenshot = (sys.argv[1:] + [None])[:3]
    work = tempfile.mkdtemp(prefix="zeveduz-e2e-")
    folder, elsewhere = os.path.join(work, "program"), os.path.join(work, "elsewhere")
    os.makedirs(folder)
    os.makedirs(elsewhere)
    program = shutil.copy2(program, folder)
    shutil.copy2(sample, folder)
    try:
        # Before Skew's "46": a letter the filter swallows, a digit, a fourth key the box refuses.
        app = Start(program, elsewhere)
        Do(app, NAME, ("type", "sample.raw"), SKEW, ("key", "Home", "type", "x09"), CHECK)
        WaitFor("the sample's tenth frame on blue", lambda: ShowsTheCard(app))
        if screenshot:
            Run("import", "-window", app.window, screenshot)
        Do(app, MAKE)
        box = WaitFor("the closing box", lambda: Windows(CLOSING_TITLE), timeout=240)[0]
        Do(app, ("windowfocus", "--sync", box, "key", "Return"))
        WaitFor("the closing box to close", lambda: not Windows(CLOSING_TITLE))
        files = sorted(os.listdir(os.path.join(folder, "Files")))
        assert files == ["0.bin", "1.bin", "2.bin", "3.bin", "ZIDA.cue"], files
        assert not os.listdir(elsewhere), os.listdir(elsewhere)
        Do(app, CHECK)  # it reads "Finished!" now
        assert app.wait(timeout=60) == 0, "Finished! ended the program with a failure"

        # 410 lines of 80 bytes overflow 16 bits: the error box, titled as the window, then 1.
        app = Start(program, elsewhere)
        Do(app, UP, ("key", "End", "BackSpace", "BackSpace", "type", "410"), NAME,
           ("type", "sample.raw"), CHECK)
        box = WaitFor("the error box", lambda: Windows(TITLE)[1:])[0]
        Do(app, ("windowfocus", "--sync", box, "key", "Return"))
        assert app.wait(timeout=60) == 1, "the error box ended the program without a failure"
    finally:
        shutil.rmtree(work)
    print("e2e: passed")


if __name__ == "__main__":
    main()
