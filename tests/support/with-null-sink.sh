#!/usr/bin/env bash
# Runs a command with a private PulseAudio server whose only output is a null sink.
# Usage: with-null-sink.sh COMMAND [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/nullsink.sh"
work=$(mktemp -d)
# A scratch folder left behind is no failure of the command that ran.
trap 'stop_null_sink; rm -rf "$work" || true' EXIT
start_null_sink "$work"
"$@"
