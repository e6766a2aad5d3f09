#!/usr/bin/env bash
# Creates a private Wine prefix once: window frames drawn by Wine (so windows
# have a caption as on Windows), the Marlett font for the caption buttons.
set -u
prefix="$1"
[ -f "$prefix/.talvique-ready" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.talvique-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
wineboot -i >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
mkdir -p "$prefix/drive_c/windows/Fonts"
for f in /usr/share/fonts/truetype/wine/marlett.ttf /usr/share/wine/fonts/marlett.ttf; do
  [ -f "$f" ] && cp "$f" "$prefix/drive_c/windows/Fonts/" && break
done
wineserver -w
touch "$prefix/.talvique-ready"
