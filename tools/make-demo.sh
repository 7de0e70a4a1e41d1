#!/usr/bin/env bash
# Writes the demo installation: DEMO/files (shared data and sounds) beside DEMO/四字熟語 (the
# program, its settings and its records). Files that hold pupils' work (the roster and the
# result files) are written only when they are not there yet.
set -euo pipefail
data=$1 demo=$2 program=$3 textfile=$4 cuetones=$5

files="$demo/files"
prog="$demo/四字熟語"
mkdir -p "$files" "$prog"

"$textfile" "$data/設定.txt" "$prog/設定.txt"
"$textfile" "$data/タイム回数データ.txt" "$prog/タイム回数データ.txt"
"$textfile" "$data/共通データ.txt" "$files/共通データ.txt"
"$textfile" "$data/新音ファイル.txt" "$files/新音ファイル.txt"
"$textfile" --keep-existing "$data/生徒用名簿.txt" "$files/生徒用名簿.txt"
"$cuetones" "$files"
cp "$program" "$prog/"
echo "demo installation: $prog"
