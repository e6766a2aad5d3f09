#!/usr/bin/env bash
# Runs a target test program with its audio going to a clock-paced capture:
# an ALSA file device writing into a FIFO that paced_capture.py drains at
# BYTES_PER_SECOND. Usage: paced_capture.sh DIR BYTES_PER_SECOND PROGRAM [ARGS…]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
dir=$1 rate=$2
shift 2
mkdir -p "$dir"
rm -f "$dir/paced.fifo" "$dir/paced.raw"
mkfifo "$dir/paced.fifo"
cat >"$dir/paced.conf" <<CONF
pcm.!default { type file slave { pcm { type null } } file "$dir/paced.fifo" format "raw" }
CONF
python3 "$here/paced_capture.py" "$dir/paced.fifo" "$dir/paced.raw" "$rate" </dev/null >/dev/null 2>&1 &
reader=$!
export ALSA_CONFIG_PATH="$dir/paced.conf" TALV_SOUND_CAPTURE="$dir/paced.raw" TALV_PACED_CAPTURE=1
"$here/../../scripts/wine-exec.sh" "$@"
rc=$?
kill "$reader" 2>/dev/null
wait "$reader" 2>/dev/null
exit $rc
