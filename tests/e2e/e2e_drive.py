#!/usr/bin/python3
"""Drives the real zeveduz as a person would: types a recording's name, checks the alignment,
makes the movie, answers the closing box and ends the program with "Finished!". It reads the
window through AT-SPI, as a screen reader does, and checks the pixels on the screen and the
files written.

Run by run_e2e.sh inside a private X display; it starts its own D-Bus session and accessibility
bus, and takes in every process they leave behind, so that nothing outlives the run:
    e2e_drive.py <zeveduz> <work folder> [<screenshot.png>]
"""

import ctypes
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402

# Bound once the private session bus is up: the accessibility library reads its address at start.
pyatspi = None
Atspi = None

TITLE = "ZE Veduz"
CLOSING_TITLE = "ZIDA ready to be written by CDRWIN!"
CLOSING_TEXT = "Exit this program and use CDRWIN to burn."
SOURCE_NAME = "testcard.raw"

# The recording: the head the default alignment skips (13 lines of 80 bytes and 46 bytes), then
# frames of 147 lines of 20 groups: two bytes not shown, two pixel bytes.
HEAD_BYTES = 13 * 80 + 46
LINE_BYTES = 80
FRAME_LINES = 147
FRAME_BYTES = FRAME_LINES * LINE_BYTES
DRAWN_LINES = 81
PREVIEW_FRAMES = 10
# Twelve frames: the tenth is the test card, the two after it are white and must not be drawn.
RECORDING_FRAMES = 12
TAIL = bytes([0x42]) * 100  # a part block, so that the copy ends off a block boundary
BUILD_SKIP = HEAD_BYTES + 2
LEAD_IN_BYTES = 896_156
TRACK_END_ZEROS = 81_620
DISC_BYTES = 315_000_000

# Where the layout puts the controls in the client area, in pixels (twips / 15).
LAYOUT = {
    "TVScreen": (13.7, 8),
    "Skew": (24, 112, 25, 19),
    "UpDown": (64, 112, 25, 19),
    "ZIDAFile": (8, 152, 97, 21),
    "Check": (8, 184, 97, 25),
    "MakeMovie": (8, 216, 97, 25),
}
CLIENT_SIZE = (112, 247)
BLUE = (0, 0, 255)

# Generous: the machine is small and shared.
START_TIMEOUT = 90
STEP_TIMEOUT = 60
BUILD_TIMEOUT = 240


class Failed(Exception):
    pass


passed = 0
failed = 0


def Check(name, ok, seen=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok   {name}", flush=True)
    else:
        failed += 1
        print(f"FAIL {name}: {seen}", flush=True)
    return ok


def Require(name, ok, seen=""):
    """A check whose failure leaves nothing sensible to do after it."""
    if not Check(name, ok, seen):
        raise Failed(name)


def CardValue(x, y):
    """The test card: a white border and diagonal, gray bars rising left to right above a black
    middle line and falling below it."""
    if x in (0, 79) or y in (0, DRAWN_LINES - 1) or x == y:
        return 15
    if y == 40:
        return 0
    return x // 5 if y < 40 else 15 - x // 5


def MakeFrame(value_at):
    frame = bytearray()
    for y in range(FRAME_LINES):
        for group in range(20):
            x = group * 4
            v = [value_at(x + k, y) for k in range(4)]
            frame += bytes([0xC3, 0x3C, v[0] << 4 | v[1], v[2] << 4 | v[3]])
    return bytes(frame)


def MakeRecording():
    head = bytes((i * 7 + 1) % 256 for i in range(HEAD_BYTES))
    dark = MakeFrame(lambda x, y: 3)
    card = MakeFrame(lambda x, y: CardValue(x, y) if y < DRAWN_LINES else 7)
    white = MakeFrame(lambda x, y: 15)
    frames = [dark] * (PREVIEW_FRAMES - 1) + [card] + [white] * (RECORDING_FRAMES - PREVIEW_FRAMES)
    return head + b"".join(frames) + TAIL


def Run(args, timeout=STEP_TIMEOUT, check=True):
    try:
        done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failed(f"{' '.join(args)} did not end within {timeout} s")
    if check and done.returncode != 0:
        raise Failed(f"{' '.join(args)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def WaitFor(what, probe, timeout=STEP_TIMEOUT, interval=0.25):
    """Polls probe() until it gives something other than None; the last value seen goes into
    the failure."""
    deadline = time.monotonic() + timeout
    seen = None
    while True:
        try:
            value = probe()
        except (GLib.Error, LookupError, RuntimeError, AttributeError) as error:
            value, seen = None, f"error {error}"
        else:
            if value is not None:
                return value
        if time.monotonic() > deadline:
            raise Failed(f"waited {timeout} s for {what}; last seen: {seen}")
        time.sleep(interval)


def Read(what, query):
    """One reading through AT-SPI; a call that times out while the program is busy is repeated."""
    return WaitFor(what, lambda: (query(),))[0]


def WindowIdByTitle(title, timeout):
    pattern = "^" + title.replace(".", "\\.").replace("?", "\\?") + "$"
    out = Run(["xdotool", "search", "--sync", "--onlyvisible", "--name", pattern], timeout=timeout)
    return int(out.split()[0])


def ClientArea(window):
    """Screen position and size of the window's client area."""
    info = Run(["xwininfo", "-id", str(window)])
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
            int(values["Width"]), int(values["Height"]))


def ClickAt(x, y):
    Run(["xdotool", "mousemove", "--sync", str(x), str(y)])
    Run(["xdotool", "click", "1"])


def ClickOn(a11y, node):
    ClickAt(*Center(Read("a control's place", lambda: a11y.Extents(node))))


def Screenshot(path):
    Run(["import", "-window", "root", path])


def ReadPpm(path):
    """Pixels of a binary PPM as a function (x, y) -> (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    if fields[0] != b"P6" or fields[3] != b"255":
        raise Failed(f"unexpected screenshot format {fields}")
    width = int(fields[1])
    pixels = data[pos:]

    def At(x, y):
        i = (y * width + x) * 3
        return tuple(pixels[i : i + 3])

    return At


class Accessibility:
    """The program as a screen reader sees it."""

    def __init__(self, pid):
        self.pid = pid
        # Read every name and text afresh: without a main loop the cache would go stale.
        Atspi.Accessible.set_cache_mask(pyatspi.Registry.getDesktop(0), Atspi.Cache.NONE)

    def App(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.pid:
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    @staticmethod
    def Walk(node):
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from Accessibility.Walk(child)

    def TopLevel(self, name):
        app = self.App()
        if app is None:
            return None
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and window.name == name:
                return window
        return None

    def Find(self, top, role, name):
        for node in self.Walk(top):
            if node.getRole() == role and node.name == name:
                return node
        return None

    @staticmethod
    def Text(node):
        return node.queryText().getText(0, -1)

    @staticmethod
    def Extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)


def Center(extents):
    x, y, w, h = extents
    return x + w // 2, y + h // 2


def CheckPreviewPixels(shot_ppm, tv_extents):
    """Finds the drawn 80 x 81 block at the top-left of the picture area's inner area (the frame
    around it is the window's choice) and compares it with the test card."""
    at = ReadPpm(shot_ppm)
    tx, ty, _, _ = tv_extents
    best = (-1, "")
    for border in range(0, 6):
        ox, oy = tx + border, ty + border
        mismatch = None
        for index in range(80 * DRAWN_LINES):
            y, x = divmod(index, 80)
            level = CardValue(x, y) * 17
            if at(ox + x, oy + y) != (level, level, level):
                mismatch = f"pixel ({x},{y}) is {at(ox + x, oy + y)}, wanted level {level}"
                break
        if mismatch is None:
            return border, None
        if index > best[0]:
            best = (index, f"inside a frame of {border} px, {mismatch}")
    return None, f"no 80 x 81 test card at the picture area {tv_extents}; nearest: {best[1]}"


PR_SET_CHILD_SUBREAPER = 36


def StartSessionBus(work):
    """A D-Bus session of our own; returns the daemon."""
    read_end, write_end = os.pipe()
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                               f"--print-address={write_end}"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        address = pipe.readline().strip()
    if not address:
        raise Failed("dbus-daemon gave no address")
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    return daemon


def Stop(process, timeout=10):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def ReapAdopted(timeout=10):
    """Waits for the processes the buses started (they end when their bus goes); ends those that
    linger by their own ids."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid:
            continue
        if time.monotonic() > deadline:
            for child in AdoptedChildren():
                os.kill(child, signal.SIGKILL)
            deadline = time.monotonic() + timeout
        time.sleep(0.1)


def AdoptedChildren():
    children = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    stat = f.read()
            except OSError:
                continue
            if int(stat.rpartition(")")[2].split()[1]) == os.getpid():
                children.append(int(entry))
    return children


def main():
    global pyatspi, Atspi
    program, work = sys.argv[1], sys.argv[2]
    screenshot_out = sys.argv[3] if len(sys.argv) > 3 and sys.argv[3] else None
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    folder = os.path.join(work, "program")
    os.makedirs(folder)
    shutil.copy2(program, os.path.join(folder, "zeveduz"))
    recording = MakeRecording()
    with open(os.path.join(folder, SOURCE_NAME), "wb") as f:
        f.write(recording)
    files = os.path.join(folder, "Files")

    log_path = os.path.join(work, "zeveduz.log")
    session = bus = app = None
    try:
        session = StartSessionBus(work)
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        WaitFor("the accessibility bus", lambda: True if subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
             "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            capture_output=True, text=True).stdout.strip().endswith("true") else None,
            timeout=START_TIMEOUT)
        import pyatspi as pyatspi_module
        from gi.repository import Atspi as Atspi_module

        pyatspi, Atspi = pyatspi_module, Atspi_module

        # Started from elsewhere: the program must find its recording through its own folder.
        with open(log_path, "wb") as log:
            app = subprocess.Popen([os.path.join(folder, "zeveduz")], cwd=work, stdout=log,
                                   stderr=subprocess.STDOUT)
        Drive(app, folder, files, recording, work, screenshot_out)
    except Failed as error:
        Check("the run", False, str(error))
    except Exception:  # noqa: BLE001 - anything unforeseen still fails the test, with its trace
        Check("the run", False, traceback.format_exc())
    finally:
        if app is not None and app.poll() is None:
            app.kill()
            app.wait()
        Stop(bus)
        Stop(session)
        ReapAdopted()
        if failed and os.path.exists(log_path):
            with open(log_path, errors="replace") as log:
                output = log.read().strip()
            if output:
                print("program output:\n" + output)
    print(f"e2e: {passed} passed, {failed} failed", flush=True)
    return 1 if failed or passed == 0 else 0


def Drive(app, folder, files, recording, work, screenshot_out):
    window = WindowIdByTitle(TITLE, START_TIMEOUT)
    cx, cy, cw, ch = ClientArea(window)
    Check("client area is 112 x 247", (cw, ch) == CLIENT_SIZE, f"{cw} x {ch}")

    a11y = Accessibility(app.pid)
    main_window = WaitFor("the window through AT-SPI", lambda: a11y.TopLevel(TITLE), START_TIMEOUT)
    role = pyatspi.ROLE_PUSH_BUTTON
    check = WaitFor("the button \"Check Alignment\"",
                    lambda: a11y.Find(main_window, role, "Check Alignment"))
    make = WaitFor("the button \"Make Movie\"", lambda: a11y.Find(main_window, role, "Make Movie"))
    text_role = pyatspi.ROLE_TEXT
    boxes = {}
    for name, key in (("Skew", "Skew"), ("Up", "UpDown"), ("ZIDA File", "ZIDAFile")):
        boxes[key] = WaitFor(f"the box named \"{name}\"",
                             lambda name=name: a11y.Find(main_window, text_role, name))
    texts = Read("the boxes' texts",
                 lambda: [a11y.Text(boxes[k]) for k in ("Skew", "UpDown", "ZIDAFile")])
    Check("the boxes read 46, 13 and nothing", texts == ["46", "13", ""], texts)
    labels = Read("the labels", lambda: sorted(
        n.name for n in a11y.Walk(main_window) if n.getRole() == pyatspi.ROLE_LABEL))
    Check("the labels read Skew, Up and ZIDA File",
          all(name in labels for name in ("Skew", "Up", "ZIDA File")), labels)

    places = {"Skew": boxes["Skew"], "UpDown": boxes["UpDown"], "ZIDAFile": boxes["ZIDAFile"],
              "Check": check, "MakeMovie": make}
    for key, node in places.items():
        left, top, width, height = LAYOUT[key]
        want = (cx + left, cy + top, width, height)
        got = Read(f"the place of {key}", lambda node=node: a11y.Extents(node))
        Check(f"{key} sits at {LAYOUT[key]}", got == want, f"screen extents {got}, wanted {want}")

    # Type the recording's name as a person would: click into the box, then type.
    ClickOn(a11y, boxes["ZIDAFile"])
    Run(["xdotool", "type", "--delay", "60", SOURCE_NAME])
    typed = WaitFor("the typed name in ZIDA File",
                    lambda: SOURCE_NAME if a11y.Text(boxes["ZIDAFile"]) == SOURCE_NAME else None,
                    timeout=STEP_TIMEOUT)
    Check("ZIDA File reads the typed name", typed == SOURCE_NAME)

    # Leading zeros keep the alignment and show three digits in each box. The filter swallows the
    # letter and the minus, and the box takes no fourth character.
    offsets = (("Skew", "0x7", "046"), ("UpDown", "0-5", "013"))
    for key, typed, _ in offsets:
        ClickOn(a11y, boxes[key])
        Run(["xdotool", "key", "Home"])
        Run(["xdotool", "type", "--delay", "60", typed])

    ClickOn(a11y, check)
    caption = WaitFor("\"Check Again?\"",
                      lambda: check.name if check.name == "Check Again?" else None,
                      timeout=BUILD_TIMEOUT)
    Check("after the preview Check reads \"Check Again?\"", caption == "Check Again?")
    # Read only now: the click came after the keys, so every key has reached the box.
    for key, typed, want in offsets:
        got = Read(f"the text of {key}", lambda key=key: a11y.Text(boxes[key]))
        Check(f"typing {typed!r} before the text of {key} gives {want!r}", got == want, repr(got))
    Check("the preview wrote no file", not os.path.exists(files), os.listdir(folder))

    def IsPictureArea(node):
        if node.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL,
                              pyatspi.ROLE_FRAME):
            return False
        x, y, _, _ = a11y.Extents(node)
        left, top = LAYOUT["TVScreen"]
        return abs(x - cx - left) <= 1 and y == cy + top

    tv = WaitFor("the picture area", lambda: next(
        (n for n in a11y.Walk(main_window) if IsPictureArea(n)), None))
    tv_extents = Read("the place of the picture area", lambda: a11y.Extents(tv))
    tv_name = Read("the name of the picture area", lambda: tv.name)
    Check("the picture area has a name of its own", tv_name not in ("", "Skew", "Up", "ZIDA File"),
          tv_name)

    shot_png = os.path.join(work, "screen.png")
    shot_ppm = os.path.join(work, "screen.ppm")

    def PreviewOnScreen():
        Screenshot(shot_png)
        Run(["convert", shot_png, shot_ppm])
        border, problem = CheckPreviewPixels(shot_ppm, tv_extents)
        PreviewOnScreen.problem = problem
        return border

    PreviewOnScreen.problem = None
    try:
        border = WaitFor("the test card on the screen", PreviewOnScreen, timeout=STEP_TIMEOUT, interval=1)
    except Failed:
        border = None
    Check("the tenth frame is on the screen, 80 x 81 pixels", border is not None, PreviewOnScreen.problem)
    if border is not None:
        at = ReadPpm(shot_ppm)
        ox, oy = tv_extents[0] + border, tv_extents[1] + border
        inner_w, inner_h = tv_extents[2] - 2 * border, tv_extents[3] - 2 * border
        blue_right = [at(ox + x, oy + y) for x in range(80, inner_w) for y in range(inner_h)]
        blue_below = [at(ox + x, oy + y) for x in range(80) for y in range(DRAWN_LINES, inner_h)]
        Check("the rest of the picture area is blue",
              all(p == BLUE for p in blue_right + blue_below),
              sorted(set(blue_right + blue_below)))
    if screenshot_out:
        os.makedirs(os.path.dirname(screenshot_out), exist_ok=True)
        # No time stamps in the file, so that an unchanged window gives unchanged bytes.
        Run(["convert", shot_png, "-crop", f"{cw}x{ch}+{cx}+{cy}", "+repage", "-strip",
             "-define", "png:exclude-chunks=date,time", screenshot_out])
        print(f"     screenshot of the window: {screenshot_out}", flush=True)

    ClickOn(a11y, make)
    box = WindowIdByTitle(CLOSING_TITLE, BUILD_TIMEOUT)
    dialog = WaitFor("the closing box through AT-SPI", lambda: a11y.TopLevel(CLOSING_TITLE))
    texts = WaitFor("the closing box's text", lambda: [
        n.name for n in a11y.Walk(dialog) if n.getRole() == pyatspi.ROLE_LABEL and n.name] or None)
    Check("the closing box says to burn with CDRWIN", CLOSING_TEXT in texts, texts)
    buttons = Read("the closing box's buttons", lambda: [
        n.name for n in a11y.Walk(dialog) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON])
    Check("the closing box has one OK button", buttons == ["OK"], buttons)
    blocks = (len(recording) - BUILD_SKIP) // FRAME_BYTES
    captions = Read("the captions", lambda: (make.name, check.name))
    Check("while the box is open the captions show the last progress",
          captions == ("Making CH-1", f" {900 - (blocks - 1)}"), captions)

    def BoxGone():
        return True if Run(["xdotool", "search", "--onlyvisible", "--name", "^ZIDA ready"],
                           check=False).strip() == "" else None

    # Answer the box with Return, as a person would; once more if the first press got lost.
    for attempt in range(3):
        Run(["xdotool", "windowfocus", "--sync", str(box)], check=False)
        Run(["xdotool", "key", "Return"])
        try:
            WaitFor("the closing box to close", BoxGone, timeout=20)
            break
        except Failed:
            if attempt == 2:
                raise
    captions = WaitFor("both captions \"Finished!\"", lambda: (make.name, check.name) if (
        make.name, check.name) == ("Finished!", "Finished!") else None)
    Check("a screen reader reads both buttons as \"Finished!\"", captions == ("Finished!", "Finished!"))

    CheckFiles(files, recording)

    before = {name: os.stat(os.path.join(files, name)).st_mtime_ns for name in os.listdir(files)}
    ClickOn(a11y, check)
    try:
        code = app.wait(timeout=STEP_TIMEOUT)
    except subprocess.TimeoutExpired:
        code = None
    Check("a click on \"Finished!\" ends the program with exit code 0", code == 0, f"exit code {code}")
    after = {name: os.stat(os.path.join(files, name)).st_mtime_ns for name in os.listdir(files)}
    Check("the ending touched no file", before == after, f"{before} -> {after}")


def CheckFiles(files, recording):
    names = sorted(os.listdir(files)) if os.path.isdir(files) else []
    Require("Files holds 0.bin, 1.bin, 2.bin and ZIDA.cue",
            names == ["0.bin", "1.bin", "2.bin", "ZIDA.cue"], names)

    def Read(name):
        with open(os.path.join(files, name), "rb") as f:
            return f.read()

    lead_in = Read("0.bin")
    Check("0.bin is 896,156 zero bytes", lead_in == bytes(LEAD_IN_BYTES), f"{len(lead_in)} bytes")
    copied = recording[BUILD_SKIP:]
    track = Read("1.bin")
    Check("1.bin is the recording from byte 1,088 on and 81,620 zero bytes",
          track == copied + bytes(TRACK_END_ZEROS),
          f"{len(track)} bytes, wanted {len(copied) + TRACK_END_ZEROS}")
    kilobytes = LEAD_IN_BYTES // 1024 + (len(copied) + TRACK_END_ZEROS) // 1024
    filler_bytes = DISC_BYTES - 1000 * kilobytes
    filler = os.path.join(files, "2.bin")
    size = os.path.getsize(filler)
    zeros = True
    with open(filler, "rb") as f:
        while chunk := f.read(1 << 23):
            if chunk.count(0) != len(chunk):
                zeros = False
                break
    Check(f"2.bin is {filler_bytes:,} zero bytes", size == filler_bytes and zeros,
          f"{size} bytes, all zero: {zeros}")
    entries = b"".join(
        b"FILE %d.BIN BINARY\r\nTRACK %02d AUDIO\r\nINDEX 01 00:00:00\r\n" % (i, i + 1)
        for i in range(3))
    cue = Read("ZIDA.cue")
    Check("ZIDA.cue lists 0.bin, 1.bin and 2.bin as audio tracks", cue == entries, cue)


if __name__ == "__main__":
    sys.exit(main())
