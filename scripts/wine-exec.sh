#!/usr/bin/env bash
# Runs a target program under Wine with the build tree's own prefix and the
# Chinese locale (ANSI code page 936). Wine's output goes to a file that is
# printed afterwards: Wine's helper processes (wineserver, services.exe …)
# would otherwise inherit the output pipe and keep CTest waiting.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${TALV_WINEPREFIX:-$here/../build/wineprefix}"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko prompts; sound goes to ALSA unless a test sets PULSE_SERVER.
if [ -z "${WINEDLLOVERRIDES:-}" ]; then
  if [ -n "${PULSE_SERVER:-}" ]; then export WINEDLLOVERRIDES="mscoree,mshtml="
  else export WINEDLLOVERRIDES="mscoree,mshtml=;winepulse.drv=d"; fi
fi
"$here/wine-prefix.sh" "$WINEPREFIX" || exit 1
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
