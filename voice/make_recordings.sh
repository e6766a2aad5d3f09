#!/usr/bin/env bash
# Makes the recordings that the calculator plays from its wav folder.
#
#   make_recordings.sh speech OUTDIR WORKDIR
#       Speaks every word of words.tsv with espeak-ng's Mandarin voice (pinyin
#       input) and writes it, trimmed of silence, as a 16-bit mono RIFF/WAVE file
#       named by the word, without extension, into OUTDIR. WORKDIR receives a
#       private copy of espeak-ng's data directory carrying our voice variant.
#   make_recordings.sh tones OUTDIR MAPFILE
#       The same file names, each holding a pure tone of its own frequency
#       (300 Hz + 40 Hz x line index, 150 ms), for tests that must tell from
#       captured audio which file was played. MAPFILE lists, tab-separated:
#       index, frequency in Hz, duration in ms, sample count, name (UTF-8),
#       name as GBK bytes in hex.
#
# File names on this side are UTF-8: under Wine with the zh_CN.UTF-8 locale the
# program's GBK name for a file (CreateFileA("\wav\五")) maps to the UTF-8 name.
# OUTDIR is replaced as a whole, so a word dropped from the list leaves no file.
# Every tool runs deterministically (sox -D, no dither), so reruns are
# byte-identical.
set -euo pipefail
export LC_ALL=C.UTF-8

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
words="$here/words.tsv"
rate=22050
tone_ms=150

die() { echo "make_recordings: $*" >&2; exit 1; }

# Prints the entries of words.tsv, one a line, tab-separated, comments dropped.
entries() { grep -v '^#' "$words" | grep -v '^[[:space:]]*$'; }

# What espeak-ng is given for the text column of words.tsv: the phonemes
# ([[...]]) or the SSML (<speak>...</speak>) that follow the pinyin, or else
# the pinyin itself (without the hyphen that marks a bound syllable).
spoken_text() {
  case $1 in
    *'[['*) printf '[[%s' "${1#*\[\[}" ;;
    *'<speak>'*) printf '<speak>%s' "${1#*<speak>}" ;;
    *) printf '%s' "${1//-/}" ;;
  esac
}

# Replaces directory $1 by the finished staging directory $2.
replace_dir() {
  rm -rf "$1"
  mv "$2" "$1"
}

# One word: espeak-ng into a scratch file, then sox trims leading and trailing
# silence (below -45 dB), fades the cut ends so they do not click, converts to
# 16-bit mono and normalises to -1 dBFS. If the word is still longer than its
# limit it is shortened with sox's tempo (pitch kept).
speak_one() {
  local data=$1 out=$2 scratch=$3 name=$4 max=$5 speed=$6 pitch=$7 text=$8
  local raw="$scratch/$name.raw.wav" cut="$scratch/$name.cut.wav"
  local spoken ssml=()
  spoken=$(spoken_text "$text")
  case $spoken in '<speak>'*) ssml=(-m) ;; esac
  espeak-ng --path="$data" -v cmn-latn-pinyin+talvique -s "$speed" -p "$pitch" -z "${ssml[@]}" \
    -w "$raw" "$spoken" || die "espeak-ng failed on $name"
  sox -D "$raw" -t wav -e signed-integer -b 16 -c 1 "$cut" \
    silence 1 0.003 -45d reverse silence 1 0.003 -45d \
    fade q 0.012 reverse fade q 0.002 gain -n -1 || die "sox failed on $name"
  local samples limit
  samples=$(soxi -s "$cut")
  limit=$(( max * rate / 1000 ))
  if [ "$samples" -gt "$limit" ]; then
    local factor
    factor=$(awk -v s="$samples" -v l="$limit" 'BEGIN { printf "%.4f", s / (l - 64) }')
    echo "make_recordings: $name lasts $(( samples * 1000 / rate )) ms, over $max ms: tempo x$factor" >&2
    sox -D "$cut" -t wav "$out/$name" tempo -s "$factor" || die "sox tempo failed on $name"
  else
    mv "$cut" "$out/$name"
  fi
}

speech() {
  local outdir=$1 workdir=$2
  command -v espeak-ng >/dev/null || die "espeak-ng is not installed (scripts/setup.sh)"
  command -v sox >/dev/null || die "sox is not installed (scripts/setup.sh)"

  # espeak-ng finds voice variants only inside its data directory, so the
  # variant lives in a private copy (symbolic links to the installed files).
  local stock data="$workdir/espeak-ng-data"
  stock=$(espeak-ng --version | sed -n 's/.*Data at: *//p')
  [ -d "$stock" ] || die "cannot find espeak-ng's data directory"
  mkdir -p "$workdir"
  rm -rf "$data"
  cp -rs "$stock" "$data"
  cp "$here/talvique.voice" "$data/voices/!v/talvique"

  local stage="$outdir.tmp" scratch="$workdir/scratch"
  rm -rf "$stage" "$scratch"
  mkdir -p "$stage" "$scratch"
  # Two words at a time per core: espeak-ng and sox are single-threaded.
  local jobs=$(( $(nproc) * 2 )) running=0
  while IFS=$'\t' read -r name kind max speed pitch text; do
    speak_one "$data" "$stage" "$scratch" "$name" "$max" "$speed" "$pitch" "$text" &
    running=$(( running + 1 ))
    if [ "$running" -ge "$jobs" ]; then
      wait -n || die "a recording failed"
      running=$(( running - 1 ))
    fi
  done < <(entries)
  while [ "$running" -gt 0 ]; do
    wait -n || die "a recording failed"
    running=$(( running - 1 ))
  done
  rm -rf "$scratch"
  replace_dir "$outdir" "$stage"
}

tones() {
  local outdir=$1 map=$2
  command -v sox >/dev/null || die "sox is not installed (scripts/setup.sh)"
  local stage="$outdir.tmp" samples=$(( tone_ms * rate / 1000 )) index=0
  rm -rf "$stage"
  mkdir -p "$stage" "$(dirname "$map")"
  {
    printf '#index\tfrequency_hz\tduration_ms\tsamples\tname\tname_gbk_hex\n'
    while IFS=$'\t' read -r name kind max speed pitch text; do
      local freq=$(( 300 + 40 * index ))
      # A 5 ms fade at either end keeps the tone free of clicks.
      sox -D -r "$rate" -n -e signed-integer -b 16 -c 1 -t wav "$stage/$name" \
        synth "${samples}s" sine "$freq" gain -6 fade q 0.005 "${samples}s" 0.005 \
        || die "sox failed on tone $name"
      printf '%d\t%d\t%d\t%d\t%s\t%s\n' "$index" "$freq" "$tone_ms" "$samples" "$name" \
        "$(printf '%s' "$name" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n')"
      index=$(( index + 1 ))
    done < <(entries)
  } > "$map.tmp"
  mv "$map.tmp" "$map"
  replace_dir "$outdir" "$stage"
}

case "${1:-}" in
  speech) [ $# -eq 3 ] || die "usage: $0 speech OUTDIR WORKDIR"; speech "$2" "$3" ;;
  tones)  [ $# -eq 3 ] || die "usage: $0 tones OUTDIR MAPFILE"; tones "$2" "$3" ;;
  *) die "usage: $0 speech OUTDIR WORKDIR | tones OUTDIR MAPFILE" ;;
esac
