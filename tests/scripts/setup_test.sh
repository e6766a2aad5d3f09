#!/usr/bin/env bash
# scripts/setup.sh against a fake package system (apt-get, dpkg, dpkg-query,
# locale and id first on PATH): what it installs, that a failing package
# index is tried again and then passed over, that 32-bit Wine is optional,
# and that it does nothing when everything is there.
set -u
setup="$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0

fake() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$work/bin/$1"; chmod +x "$work/bin/$1"; }

# A fresh fake machine. MISSING: packages dpkg-query does not know;
# UPDATE_FAILS: how many `apt-get update` calls fail before one succeeds.
machine() {
  rm -rf "$work/bin" "$work/state" && mkdir -p "$work/bin" "$work/state"
  echo "$1" >"$work/state/missing"
  echo "$2" >"$work/state/update_fails"
  fake id 'echo 0'
  fake locale 'echo zh_CN.utf8'
  fake dpkg 'echo "dpkg $*" >>'"$work"'/state/log; [ "$1" = --print-foreign-architectures ] && echo i386; exit 0'
  fake dpkg-query 'p="${@: -1}"; grep -qw -- "$p" '"$work"'/state/missing && exit 1; echo "install ok installed"'
  fake apt-get 'echo "apt-get $*" >>'"$work"'/state/log
case " $* " in
  *" update "*) n=$(cat '"$work"'/state/update_fails)
     if [ "$n" -gt 0 ]; then echo $((n - 1)) >'"$work"'/state/update_fails
       echo "E: Failed to fetch binary-i386/Packages.xz  File has unexpected size. Mirror sync in progress?" >&2; exit 100; fi ;;
  *" wine32:i386"*) echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
esac
exit 0'
}

run_setup() {
  PATH="$work/bin:$PATH" TALV_SETUP_STAMP_DIR="$work/state/stamp" TALV_SETUP_UPDATE_PAUSE=0 \
    bash "$setup" >"$work/state/out" 2>&1
}

expect() {  # expect NAME CONDITION...
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else
    failures=$((failures + 1)); echo "FAILED: $name"; cat "$work/state/out"; cat "$work/state/log" 2>/dev/null; fi
}
log_has() { grep -q -- "$1" "$work/state/log" 2>/dev/null; }
out_has() { grep -q -- "$1" "$work/state/out"; }
no_log() { [ ! -s "$work/state/log" ]; }
count() { grep -c -- "$1" "$work/state/log" 2>/dev/null || true; }

# Everything present: no package command runs at all.
machine "" 0
expect "all present: succeeds" run_setup
expect "all present: asks no package index" no_log
expect "all present: says nothing" test ! -s "$work/state/out"

# A missing compiler and an index that fails once: tried again, installed.
machine "g++-mingw-w64-x86-64" 1
expect "index fails once: succeeds" run_setup
expect "index fails once: updated twice" test "$(count 'apt-get update')" = 2
expect "index fails once: installs the compiler" log_has "install .*g++-mingw-w64-x86-64"

# An index that never updates: setup goes on with the lists there are.
machine "wine64" 99
expect "index always fails: succeeds" run_setup
expect "index always fails: three tries" test "$(count 'apt-get update')" = 3
expect "index always fails: says so" out_has "going on with the package lists there are"
expect "index always fails: still installs" log_has "install .*wine64"

# 32-bit Wine cannot be installed: one line, success, and not asked again.
machine "wine32:i386" 1
expect "no wine32: succeeds" run_setup
expect "no wine32: tried to install it" log_has "install .*wine32:i386"
expect "no wine32: one line about it" test "$(grep -c '32-bit Wine' "$work/state/out")" = 1
: >"$work/state/log"
expect "no wine32, second run: succeeds" run_setup
expect "no wine32, second run: asks no package index" no_log

echo "setup: $passed passed, $failures failed"
[ "$failures" = 0 ]
