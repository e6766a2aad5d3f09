#!/usr/bin/env bash
# Installs everything the build, the tests and running the program need on a
# Debian 12 machine. Idempotent and non-interactive: when every package is
# present and the locale exists it does nothing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo -n"; else
    echo "setup: need root or sudo to install packages" >&2; exit 1; fi
fi

PKGS_NATIVE="cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 xvfb xauth xdotool x11-utils imagemagick
  fonts-wqy-microhei fonts-wine locales espeak-ng sox zip python3 wine"
PKGS_I386="wine32:i386"

missing=()
for p in $PKGS_NATIVE $PKGS_I386; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" </dev/null
fi

# Wine maps the ANSI code page from the Unix locale; without a generated
# zh_CN.UTF-8 every non-ASCII file name fails to open.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating zh_CN.UTF-8"
  $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
exit 0
