#!/usr/bin/env bash
# Decides which Windows builds this machine can test, by running them rather
# than by asking the package manager: a machine may have 32-bit Wine
# installed and still run no 32-bit code at all.
#
#   windows-targets.sh WIN32_TREE
#
# Prints two lines: the targets to test ("i686 x86_64" or "x86_64"), then the
# reason. TALV_NO_I386=1 forces the 64-bit-only path.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tree="$1"
check="$tree/bin/target_check.exe"

if [ "${TALV_NO_I386:-}" = 1 ]; then
  echo "x86_64"; echo "TALV_NO_I386=1 is set"; exit 0
fi
if [ ! -x /usr/lib/wine/wine ]; then
  echo "x86_64"; echo "32-bit Wine (wine32:i386) is not installed"; exit 0
fi
if [ ! -f "$check" ]; then
  echo "x86_64"; echo "the i686 tree has no $check"; exit 0
fi
answer=$(TALV_WINE_ARCH=win32 timeout 180 "$here/wine-exec.sh" "$check" 2>&1)
if printf '%s\n' "$answer" | grep -q '^target check: i686'; then
  echo "i686 x86_64"; echo "a tiny i686 program answered under Wine"
else
  first=$(printf '%s\n' "$answer" | grep -v '^$' | head -n 1 | cut -c1-120)
  echo "x86_64"; echo "a tiny i686 program did not answer under Wine (${first:-no output})"
fi
