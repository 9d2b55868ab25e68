#!/bin/sh
# Registers the folder's desktop entry from a folder whose name holds a %, which Exec must double,
# and validates the entry. Usage: DesktopEntryTest.sh path/to/register-desktop-entry
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/50% done"
cp "$1" "$work/50% done/"
XDG_DATA_HOME=$work/share sh "$work/50% done/register-desktop-entry"
# Its warnings and hints fail too: it reports nothing on an entry that follows the standard.
desktop-file-validate "$work/50% done/zeveduz.desktop" | tee "$work/report"
[ ! -s "$work/report" ]
grep -Fx "Exec=\"$work/50%% done/zeveduz\"" "$work/50% done/zeveduz.desktop"
