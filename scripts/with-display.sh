#!/usr/bin/env bash
# Runs a command with a private virtual display (Xvfb), never the user's.
# A wineserver left from an earlier run without that display is stopped
# first (for the prefixes of both architectures): its windows would fail to
# appear.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
stop_wineservers() {
  local arch
  for arch in win32 win64; do
    (talv_wine_env $arch; [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1) || true
  done
}
stop_wineservers

# Xvfb picks a free display number itself and writes it to fd 3.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
xvfb=$!
read -r -t 30 n <"$fifo"
rm -f "$fifo"
[ -n "${n:-}" ] || { echo "with-display: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"
# No window manager runs on this display (scripts/wine-prefix.sh).
export TALV_NO_WINDOW_MANAGER=1
"$@"
rc=$?
stop_wineservers
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
