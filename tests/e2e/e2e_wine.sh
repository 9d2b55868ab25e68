#!/bin/sh
# The end-to-end run of the Windows program through Wine, on the X server it is started under:
#     e2e_wine.sh <Wine prefix> <zeveduz.exe> <sample.raw> [<screenshot after the preview>]
# The prefix is made on the first run (about 10 s) and kept for the next ones.
set -eu
# Wine takes only an absolute prefix.
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX WINEDEBUG=-all LANG=C.UTF-8
shift
# Without a window manager Wine waits 2 s whenever a window closes, unless it draws the frames
# itself; the frame is then part of the program's X window.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
status=0
python3 "$(dirname "$0")/e2e_drive.py" --launcher wine "$@" || status=$?
# Wine's server would hold ctest's output open for seconds after the program has ended.
wineserver -k 2>/dev/null || true
exit "$status"
