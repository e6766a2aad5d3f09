#!/usr/bin/env bash
# Opens the calculator on this desktop's display under Wine, with the build
# tree's private prefix (never the user's own ~/.wine) and the Chinese
# locale, so that its GBK texts show and its recordings are found.
set -u
exe="$1"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "make run needs a display (DISPLAY is not set); try make demo" >&2
  exit 1
fi
[ -f "$exe" ] || { echo "no $exe: the build did not make the program" >&2; exit 1; }
talv_wine_env "$(talv_pe_arch "$exe")"
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
"$here/wine-prefix.sh" "$WINEARCH" || exit 1
cd "$(dirname "$exe")" && exec "$WINE" "$(basename "$exe")"
