#!/usr/bin/env bash
# Runs the real program under its own Xvfb display and D-Bus session and drives it as a person
# would (e2e_drive.py). Usage: run_e2e.sh <path of zeveduz> [<screenshot.png>]
# The screenshot is the window after a preview; docs/e2e-window.png is made by passing that path.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 <path of zeveduz> [<screenshot.png>]" >&2
    exit 2
fi
program=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool xwininfo import convert dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is missing (scripts/setup test installs it)" >&2
        exit 1
    fi
done
# Debian's own interpreter: python3-pyatspi is installed for it, not for other pythons on PATH.
python=/usr/bin/python3
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "e2e: $python cannot import pyatspi (python3-pyatspi)" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zeveduz-e2e.XXXXXX")
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own, so that parallel test runs never share one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 300); do
    if grep -q '^[0-9]\+$' "$work/display" 2>/dev/null; then
        break
    fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "e2e: Xvfb ended at start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
if ! grep -q '^[0-9]\+$' "$work/display"; then
    echo "e2e: Xvfb gave no display number within 30 s" >&2
    exit 1
fi
export DISPLAY=":$(cat "$work/display")"

# The D-Bus session and the accessibility bus that the driver starts find their sockets through
# these; keep them private to this run.
mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb

status=0
"$python" "$here/e2e_drive.py" "$program" "$work/run" "$screenshot" || status=$?
exit "$status"
