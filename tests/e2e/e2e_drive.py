#!/usr/bin/python3
"""The real zeveduz with its sample recording, run as a person would on the X server that xvfb-run
gives it: typed into, clicked, read off the screen. The set it builds must be the one in
sample-set.sha256 beside this script, which the Linux program built: both programs write the same
bytes.
    e2e_drive.py [--launcher <command>] <zeveduz> <sample.raw> [<screenshot after the preview>]
The Windows program runs as --launcher wine zeveduz.exe."""

import argparse
import hashlib
import os
import shutil
import subprocess
import tempfile
import time

TITLE, CLOSING_TITLE = "ZE Veduz", "ZIDA ready to be written by CDRWIN!"
CLIENT = (112, 247)  # the window's inside, 1,680 x 3,705 twips; Wine's X window holds its frame too
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
SET_DIGESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample-set.sha256")


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


def Geometry(window):
    where = dict(line.split("=") for line in
                 Run("xdotool", "getwindowgeometry", "--shell", window, text=True).split())
    return int(where["X"]), int(where["Y"]), int(where["WIDTH"]), int(where["HEIGHT"])


def Start(command, cwd):
    """The program, started from another folder than its own, and its client area's corner."""
    app = subprocess.Popen(command, cwd=cwd)
    app.window = WaitFor("the window", lambda: Windows(TITLE))[0]
    x, y, width, height = Geometry(app.window)
    # A frame as wide on the left as on the right and below; the title bar above.
    border = (width - CLIENT[0]) // 2
    app.corner = x + border, y + height - CLIENT[1] - border
    return app


def WaitForBox(app, title, timeout=240):
    """The box titled so; another box, or the program's end, fails at once."""
    def Boxes():
        return [(subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                                text=True).stdout.strip(), window)
                for window in Windows(".+") if window != app.window]
    found = WaitFor(title, lambda: Boxes() or app.poll() is not None, timeout)
    assert found is not True, f"the program ended ({app.returncode}) before {title!r} showed"
    assert [name for name, _ in found] == [title], f"{found} instead of {title!r}"
    return found[0][1]


def Dismiss(box):
    """Return on a message box, clicked into first: under Wine the keys go where the pointer is.
    A box takes no input in its first half second."""
    time.sleep(0.6)
    x, y, _, height = Geometry(box)
    Run("xdotool", "mousemove", "--sync", str(x + 8), str(y + height - 8), "click", "1")
    Run("xdotool", "windowfocus", "--sync", box, "key", "Return")


def Do(app, *steps):
    """xdotool steps; a control's centre stands for a click on it. A step that a centre leads
    types its keys at once after the click, without the pause xdotool makes after a click."""
    for step in steps:
        if isinstance(step[0], int):
            x, y = app.corner[0] + step[0], app.corner[1] + step[1]
            step = ("mousemove", "--sync", str(x), str(y), "click", "1")
        elif isinstance(step[0], tuple):
            x, y = app.corner[0] + step[0][0], app.corner[1] + step[0][1]
            step = ("mousemove", "--sync", str(x), str(y), "click", "--delay", "0", "1") + step[1:]
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


def CheckSet(files):
    """Every file of the set as the Linux program wrote it, compared by SHA-256."""
    with open(SET_DIGESTS) as listing:
        expected = {name: digest for digest, name in (line.split() for line in listing)}
    found = {}
    for name in sorted(os.listdir(files)):
        with open(os.path.join(files, name), "rb") as file:
            found[name] = hashlib.file_digest(file, "sha256").hexdigest()
    assert found == expected, "the set differs from the Linux program's:\n" + "".join(
        f"{digest}  {name}\n" for name, digest in found.items())


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    arguments.add_argument("--launcher", help="the command that runs the program, such as wine")
    arguments.add_argument("program")
    arguments.add_argument("sample")
    arguments.add_argument("screenshot", nargs="?")
    options = arguments.parse_args()
    work = tempfile.mkdtemp(prefix="zeveduz-e2e-")
    # A folder name that is not valid text, which only Linux allows; Windows names are UTF-16.
    windows = options.program.lower().endswith(".exe")
    name = "program-caf\u00e9" if windows else os.fsdecode(b"program-caf\xe9")
    folder, elsewhere = os.path.join(work, name), os.path.join(work, "elsewhere")
    os.makedirs(folder)
    os.makedirs(elsewhere)
    program = shutil.copy2(options.program, folder)
    command = ([options.launcher] if options.launcher else []) + [program]
    shutil.copy2(options.sample, folder)
    try:
        # Before Skew's "46": a letter the filter swallows, a digit, a fourth key the box refuses.
        # Keys that come while the preview runs, back to ZIDA File and a letter over the name, are
        # dropped: else the build below would not find its recording.
        app = Start(command, elsewhere)
        Do(app, NAME, ("type", "sample.raw"), SKEW, ("key", "Home", "type", "x09"),
           (CHECK, "key", "--delay", "0", "shift+Tab", "x"))
        WaitFor("the sample's tenth frame on blue", lambda: ShowsTheCard(app))
        if options.screenshot:
            Run("import", "-window", app.window, options.screenshot)
        Do(app, MAKE)
        Dismiss(WaitForBox(app, CLOSING_TITLE))
        WaitFor("the closing box to close", lambda: not Windows(CLOSING_TITLE))
        CheckSet(os.path.join(folder, "Files"))
        assert not os.listdir(elsewhere), os.listdir(elsewhere)
        Do(app, CHECK)  # it reads "Finished!" now
        assert app.wait(timeout=60) == 0, "Finished! ended the program with a failure"

        # 410 lines of 80 bytes overflow 16 bits: the error box, titled as the window, then 1.
        app = Start(command, elsewhere)
        Do(app, UP, ("key", "End", "BackSpace", "BackSpace", "type", "410"), NAME,
           ("type", "sample.raw"), CHECK)
        box = WaitFor("the error box", lambda: [w for w in Windows(TITLE) if w != app.window])[0]
        Dismiss(box)
        assert app.wait(timeout=60) == 1, "the error box ended the program without a failure"

        # Keys and a click an impatient user gives at once after the click come while the build of
        # a recording of 9,000 frames runs, or as its closing box opens: none of them counts.
        with open(os.path.join(folder, "long.raw"), "wb") as recording:
            recording.write(bytes(i % 251 for i in range(11_760)) * 9_000)
        app = Start(command, elsewhere)
        Do(app, NAME, ("type", "long.raw"), MAKE,
           ("key", "Return", "space", "Tab", "Return", "space"), CHECK)
        box = WaitForBox(app, CLOSING_TITLE, timeout=60)
        time.sleep(2)
        assert Windows(CLOSING_TITLE) == [box], "keys typed during the build answered the box"
        Dismiss(box)
        WaitFor("the closing box to close", lambda: not Windows(CLOSING_TITLE))
        time.sleep(1)
        assert app.poll() is None, "keys typed during the build ended the program"
        Do(app, MAKE)  # it reads "Finished!" too
        assert app.wait(timeout=60) == 0, "Finished! ended the program with a failure"
    finally:
        shutil.rmtree(work)
    print("e2e: passed")


if __name__ == "__main__":
    main()
