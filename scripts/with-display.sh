#!/usr/bin/env bash
# Runs a command with a private virtual display (Xvfb), never the user's.
# A wineserver left from an earlier run without that display is stopped
# first: its windows would fail to appear.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${TALV_WINEPREFIX:-$here/../build/wineprefix}"
WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true

# Xvfb picks a free display number itself and writes it to fd 3.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
xvfb=$!
read -r -t 30 n <"$fifo"
rm -f "$fifo"
[ -n "${n:-}" ] || { echo "with-display: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"
"$@"
rc=$?
WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
