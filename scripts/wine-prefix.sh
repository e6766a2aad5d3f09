#!/usr/bin/env bash
# Creates the private Wine prefix of one architecture (win32 or win64) once:
# window frames drawn by Wine (so windows have a caption as on Windows), the
# Marlett font for the caption buttons. Then tells Wine whether the display
# has a window manager (see the end).
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
talv_wine_env "${1:-win32}"
prefix="$WINEPREFIX"

# Wine hands windows with a caption to the window manager, and before it
# hides or destroys one it waits up to 2 s for the manager to have shown it.
# The test display (scripts/with-display.sh, TALV_NO_WINDOW_MANAGER=1) runs
# no window manager: there Wine is told so for Talvique.exe, or every close
# of the calculator would take 2 s. (Only for the calculator: the tests that
# type into windows of their own rely on the keyboard following the
# pointer, as it does for managed windows.) A desktop (make run) keeps
# Wine's default. The prefix remembers which it was last set for.
window_manager() {
  local want=Y have
  [ "${TALV_NO_WINDOW_MANAGER:-}" = 1 ] && want=N
  have=$(cat "$prefix/.talvique-window-manager" 2>/dev/null || echo Y)
  [ "$have" = "$want" ] && return 0
  exec 8>"$prefix.lock"
  flock 8
  have=$(cat "$prefix/.talvique-window-manager" 2>/dev/null || echo Y)
  [ "$have" = "$want" ] && return 0
  local key='HKCU\Software\Wine\AppDefaults\Talvique.exe\X11 Driver'
  if [ "$want" = N ]; then
    WINEDEBUG=-all "$WINE" reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  else
    WINEDEBUG=-all "$WINE" reg delete "$key" /v Managed /f >/dev/null 2>&1 </dev/null
  fi
  echo "$want" >"$prefix/.talvique-window-manager"
}

if [ -f "$prefix/.talvique-ready" ]; then
  window_manager
  exit 0
fi
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.talvique-ready" ]; then
  flock -u 9
  window_manager
  exit 0
fi
if [ ! -x "$WINE" ]; then
  echo "wine-prefix: no Wine loader $WINE for $WINEARCH" >&2
  exit 1
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_CN.UTF-8
rm -rf "$prefix"
"$WINE" wineboot -i >/dev/null 2>&1 </dev/null
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
mkdir -p "$prefix/drive_c/windows/Fonts"
for f in /usr/share/fonts/truetype/wine/marlett.ttf /usr/share/wine/fonts/marlett.ttf; do
  [ -f "$f" ] && cp "$f" "$prefix/drive_c/windows/Fonts/" && break
done
wineserver -w
[ -f "$prefix/system.reg" ] || { echo "wine-prefix: $WINE did not create $prefix" >&2; exit 1; }
touch "$prefix/.talvique-ready"
flock -u 9
window_manager
