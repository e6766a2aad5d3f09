#!/usr/bin/env bash
# Packs one build tree's program for Windows: Talvique.exe, its help page
# talvique.htm and its wav folder, the recordings' names stored as GBK bytes,
# and checks the zip.
#
#   make-dist.sh TREE STAGING_FOLDER ZIP
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tree="$1" staging="$2" zip="$3"
rm -rf "$staging" && mkdir -p "$staging/Talvique"
cp "$tree/bin/Talvique.exe" "$tree/bin/talvique.htm" "$staging/Talvique/"
cp -r "$tree/bin/wav" "$staging/Talvique/wav"
rm -f "$zip"
python3 "$here/../voice/gbk_zip.py" "$zip" "$staging/Talvique"
python3 "$here/../voice/gbk_zip.py" --check "$zip" "$staging/Talvique"
echo "$zip"
