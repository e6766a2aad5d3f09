#!/usr/bin/env bash
# Runs the Windows suites that this machine can run (on the display that
# with-display.sh gives it) and says in one line which targets were tested
# and why.
#
#   test-windows.sh WIN32_TREE WIN64_TREE
#
# Where the i686 build runs, its suite runs in full and the x86_64 suite
# runs with a smaller end-to-end part (TALV_X64_E2E, a CTest regular
# expression: the scenarios that start the program once and use it end to
# end); TALV_X64_FULL=1 runs that suite in full too. Where only 64-bit Wine
# runs, the x86_64 suite runs in full.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
win32="$1" win64="$2"
mapfile -t decision < <("$here/windows-targets.sh" "$win32")
targets="${decision[0]:-x86_64}" reason="${decision[1]:-}"
x64_e2e="${TALV_X64_E2E:-^e2e_(calculation_and_restart|spoken_readout)$}"

rc=0
if [[ " $targets " == *" i686 "* ]]; then
  (cd "$win32" && ctest --output-on-failure) || rc=1
  if [ "${TALV_X64_FULL:-}" = 1 ]; then
    (cd "$win64" && ctest --output-on-failure) || rc=1
    x64="x86_64 (full suite)"
  else
    (cd "$win64" && ctest --output-on-failure -LE e2e) || rc=1
    (cd "$win64" && ctest --output-on-failure -R "$x64_e2e") || rc=1
    x64="x86_64 (unit suites, end-to-end $x64_e2e)"
  fi
  line="Windows targets tested: i686 (full suite, end-to-end included) and $x64; $reason"
else
  (cd "$win64" && ctest --output-on-failure) || rc=1
  line="Windows targets tested: x86_64 under wine64 (full suite, end-to-end included); i686 built but not run: $reason"
fi
echo "$line"
exit $rc
