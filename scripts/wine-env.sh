# Sourced by the Wine scripts: picks the Wine loader and the build's private
# prefix for one Windows architecture.
#
#   talv_wine_env win32|win64   exports WINEPREFIX, WINEARCH and WINELOADER
#                               and sets WINE to the loader to run
#   talv_pe_arch FILE           prints win64 for an x86_64 program, else win32
#
# Each architecture has a prefix of its own (build/wineprefix for i686,
# build/wineprefix64 for x86_64). The loader is called by its own path:
# /usr/bin/wine picks the 32-bit loader whenever it is installed, even on a
# machine whose kernel cannot run it.
talv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

talv_pe_arch() {
  local file=$1 offset machine
  [ -f "$file" ] || { echo win32; return; }
  offset=$(od -An -tu4 -j60 -N4 "$file" 2>/dev/null | tr -d ' ')
  machine=$(od -An -tx2 -j$((${offset:-0} + 4)) -N2 "$file" 2>/dev/null | tr -d ' ')
  if [ "$machine" = 8664 ]; then echo win64; else echo win32; fi
}

talv_wine_env() {
  if [ "$1" = win64 ]; then
    export WINEARCH=win64
    export WINEPREFIX="${TALV_WINEPREFIX64:-$talv_root/build/wineprefix64}"
    WINE=/usr/lib/wine/wine64
  else
    export WINEARCH=win32
    export WINEPREFIX="${TALV_WINEPREFIX:-$talv_root/build/wineprefix}"
    WINE=/usr/lib/wine/wine
  fi
  export WINELOADER="$WINE"
}
