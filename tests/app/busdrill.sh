#!/usr/bin/env bash
# A whole test drill pressed over the real accessibility bus. Starts everything itself: a private
# D-Bus session with the accessibility bus, a PulseAudio server with a null sink, a virtual X
# display (Qt's accessibility bridge does not start on the offscreen platform), a demo
# installation with voices, the program, and the client that presses through the bus alone.
# Then exactly one result record must have been written, for the chosen pupil and item.
# The client runs on the system's Python, which holds the Debian package of the bus bindings.
# Usage: busdrill.sh DATA_DIR PROGRAM TEXTFILE CUETONES IDIOMFILE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${BUSDRILL_SESSION:-}" ]; then
  # Bounded as a whole, so that a fault cannot hang CI; the run takes a few minutes.
  # The locale is set before the inner shell starts: it reads the file names in UTF-8.
  export BUSDRILL_SESSION=1 LC_ALL=C.UTF-8
  exec timeout -k 10 1500 dbus-run-session -- bash "$0" "$@"
fi
data=$1 program=$2 textfile=$3 cuetones=$4 idiomfile=$5
work=$(mktemp -d)
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_null_sink
  # A process that was just ended may still add a file; a scratch folder left behind is no
  # failure of the drill.
  rm -rf "$work" || true
}
source "$here/../support/nullsink.sh"
trap cleanup EXIT
start_null_sink "$work/pulse"

# The display number comes back through a pipe once the server accepts connections.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
read -r display <"$work/display"
export DISPLAY=:$display

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/atspi.log" &
pids+=($!)

# The demo installation; every voice of the idioms is a copy of a cue 1.2 seconds long, so the
# drill goes on only as fast as its sounds. (The null sink ends a play at the end of a block of
# two seconds: a longer voice would run into the bound of its length plus two seconds.)
bash "$here/../../tools/make-demo.sh" "$data" "$work/demo" "$program" "$textfile" "$cuetones" \
  "$idiomfile" >/dev/null
prog=$work/demo/四字熟語
# A slow build (sanitizers, a busy machine) must not run out of the drill's time: 範囲２'s
# test (item 4) gets a limit of 3000 seconds instead of 330.
sed -i '4s/^210,330,/210,3000,/' "$prog/タイム回数データ.txt"
# The answer cues and fanfares too: a cue of a third of a second would end only just inside
# its bound on the null sink, and four cues that fail in a row end the program.
for cue in "$work/demo/files/"*.wav; do
  [ "$cue" = "$work/demo/files/fugoukaku1.wav" ] || cp "$work/demo/files/fugoukaku1.wav" "$cue"
done
mkdir -p "$prog/四字熟語音声"
"$idiomfile" read "$prog/四字02vv.ccc" | cut -d, -f2 | while read -r idiom; do
  for n in 1 2; do
    cp "$work/demo/files/fugoukaku1.wav" "$prog/四字熟語音声/${idiom:0:3}$n.wav"
  done
done

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$prog/yojidrill" 2>"$work/program.log" &
pids+=($!)

# The client runs on the system's Python, which holds the Debian package of the bus bindings.
status=0
/usr/bin/python3 "$here/busdrill.py" "$data/idioms.csv" さくら 範囲２ || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/program.log" >&2
  exit "$status"
fi

# One record of 44 bytes: pupil 1 (さくら), item 4 (the test of 範囲２).
/usr/bin/python3 - "$prog/成績累積データ.dat" <<'EOF'
import struct, sys
records = open(sys.argv[1], "rb").read()
if len(records) != 44:
    sys.exit("result file: %d bytes, expected one record of 44" % len(records))
pupil, item, result = struct.unpack_from("<hhi", records, 16)
if (pupil, item) != (1, 4) or not 0 < result < 99999:
    sys.exit("record: pupil %d, item %d, result %d" % (pupil, item, result))
print("busdrill: one record, pupil 1, item 4, %d seconds" % result)
EOF
