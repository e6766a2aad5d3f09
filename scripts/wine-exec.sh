#!/usr/bin/env bash
# Runs a target program under Wine with the build tree's own prefix and the
# Chinese locale (ANSI code page 936). The program's architecture picks the
# loader and the prefix (TALV_WINE_ARCH=win32|win64 overrides it). Wine's
# output goes to a file that is printed afterwards: Wine's helper processes
# (wineserver, services.exe …) would otherwise inherit the output pipe and
# keep CTest waiting.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
talv_wine_env "${TALV_WINE_ARCH:-$(talv_pe_arch "$1")}"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko prompts; sound goes to ALSA unless a test sets PULSE_SERVER.
if [ -z "${WINEDLLOVERRIDES:-}" ]; then
  if [ -n "${PULSE_SERVER:-}" ]; then export WINEDLLOVERRIDES="mscoree,mshtml="
  else export WINEDLLOVERRIDES="mscoree,mshtml=;winepulse.drv=d"; fi
fi
"$here/wine-prefix.sh" "$WINEARCH" || exit 1
out=$(mktemp)
"$WINE" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
