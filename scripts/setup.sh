#!/usr/bin/env bash
# Installs everything the build, the tests and running the program need on a
# Debian 12 machine. Idempotent and non-interactive: when every package is
# present and the locale exists it does nothing.
#
# Two parts:
#   required  the native tools, both mingw-w64 cross compilers, 64-bit Wine,
#             the display, fonts, locale and voice tools. Setup fails without them.
#   optional  32-bit Wine (wine32:i386, with i386 multiarch). Some machines
#             cannot have it: their package index lacks a matching i386 build,
#             or their kernel runs no 32-bit code. Setup then says so in one
#             line and succeeds; the tests run the 64-bit Windows build.
#
# A failed `apt-get update` (a mirror in the middle of a sync, say) is tried
# again a few times; after that setup goes on with the lists it has.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo -n"; else
    echo "setup: need root or sudo to install packages" >&2; exit 1; fi
fi

PKGS_REQUIRED="cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei fonts-wine locales espeak-ng sox
  zip python3 python3-numpy wine wine64"
PKGS_OPTIONAL="wine32:i386"
# Where setup remembers that the optional part could not be installed, so
# that later runs do not ask the package index again every time.
STAMP_DIR="${TALV_SETUP_STAMP_DIR:-/var/cache/talvique-setup}"
I386_STAMP="$STAMP_DIR/i386-unavailable"
UPDATE_TRIES="${TALV_SETUP_UPDATE_TRIES:-3}"
UPDATE_PAUSE="${TALV_SETUP_UPDATE_PAUSE:-5}"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing_of() {
  local p out=()
  for p in "$@"; do installed "$p" || out+=("$p"); done
  echo "${out[*]:-}"
}

updated=0
update_lists() {
  [ "$updated" = 1 ] && return 0
  updated=1
  local i log
  log=$(mktemp)
  for ((i = 1; i <= UPDATE_TRIES; i++)); do
    if $SUDO apt-get update -qq </dev/null >"$log" 2>&1; then rm -f "$log"; return 0; fi
    [ "$i" -lt "$UPDATE_TRIES" ] && sleep "$UPDATE_PAUSE"
  done
  echo "setup: apt-get update failed $UPDATE_TRIES times ($(grep -m1 '^E:' "$log" | cut -c1-160)); going on with the package lists there are"
  rm -f "$log"
}

apt_install() {
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" </dev/null
}

# shellcheck disable=SC2086
missing=$(missing_of $PKGS_REQUIRED)
# shellcheck disable=SC2086
missing_optional=$(missing_of $PKGS_OPTIONAL)
# The note is kept for a day: a mirror that was syncing may be whole again.
if [ -n "$(find "$I386_STAMP" -mmin -1440 2>/dev/null)" ]; then missing_optional=""; fi

if [ -n "$missing" ]; then
  echo "setup: installing $missing"
  update_lists
  # shellcheck disable=SC2086
  apt_install $missing
fi

if [ -n "$missing_optional" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    updated=0
  fi
  update_lists
  # shellcheck disable=SC2086
  if ! apt_install $missing_optional >/dev/null 2>&1; then
    echo "setup: 32-bit Wine ($missing_optional) cannot be installed here; the 64-bit Windows build will be tested instead"
    $SUDO mkdir -p "$STAMP_DIR" && $SUDO touch "$I386_STAMP" || true
  fi
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
