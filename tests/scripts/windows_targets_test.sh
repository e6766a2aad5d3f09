#!/usr/bin/env bash
# scripts/windows-targets.sh: TALV_NO_I386=1 forces the 64-bit-only path
# whatever the machine runs, and a missing i686 check program never counts
# as a running i686 build.
set -u
targets="$(cd "$(dirname "$0")/../.." && pwd)/scripts/windows-targets.sh"
failures=0 passed=0
expect() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failures=$((failures + 1)); echo "FAILED: $name"; fi
}

mapfile -t forced < <(TALV_NO_I386=1 "$targets" /nonexistent)
expect "forced: x86_64 only" test "${forced[0]}" = x86_64
expect "forced: says why" test "${forced[1]}" = "TALV_NO_I386=1 is set"

mapfile -t none < <(TALV_NO_I386= "$targets" /nonexistent)
expect "no check program: x86_64 only" test "${none[0]}" = x86_64
expect "no check program: a reason" test -n "${none[1]}"

echo "windows-targets: $passed passed, $failures failed"
[ "$failures" = 0 ]
