#!/usr/bin/env bash
# Creates the private Wine prefix of one architecture (win32 or win64) once:
# window frames drawn by Wine (so windows have a caption as on Windows), the
# Marlett font for the caption buttons.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
talv_wine_env "${1:-win32}"
prefix="$WINEPREFIX"
[ -f "$prefix/.talvique-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.talvique-ready" ] && exit 0
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
