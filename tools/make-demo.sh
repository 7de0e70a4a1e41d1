#!/usr/bin/env bash
# Writes the demo installation: DEMO/files (shared data and sounds) beside DEMO/四字熟語 (the
# program, its settings and its records). With an empty PROGRAM it writes the installed
# template, which holds everything but the program. Files that hold pupils' work (the roster and the
# result files) are written only when they are not there yet.
set -euo pipefail
data=$1 demo=$2 program=$3 textfile=$4 cuetones=$5 idiomfile=$6

files="$demo/files"
prog="$demo/四字熟語"
mkdir -p "$files" "$prog"

"$textfile" "$data/設定.txt" "$prog/設定.txt"
"$textfile" "$data/タイム回数データ.txt" "$prog/タイム回数データ.txt"
"$textfile" "$data/共通データ.txt" "$files/共通データ.txt"
"$textfile" "$data/新音ファイル.txt" "$files/新音ファイル.txt"
"$textfile" --keep-existing "$data/生徒用名簿.txt" "$files/生徒用名簿.txt"
"$cuetones" "$files"
"$idiomfile" write --strict "$data/idioms.csv" "$prog/四字02vv.ccc"

# The voices of the idioms: "<first three characters>1.wav" speaks the reading,
# "<first three characters>2.wav" the meaning turned into kana. They need espeak-ng and mecab;
# without them the demo has no voices and the program still runs. A voice is made again only
# when the idiom table is newer.
write_voices() {
  local voices="$prog/四字熟語音声" table kana idiom reading meaning_kana stem
  export LC_ALL=C.UTF-8 # character, not byte, substrings
  table=$("$idiomfile" read "$prog/四字02vv.ccc")
  kana=$(cut -d, -f4 <<<"$table" | mecab -Oyomi) || return 0
  mkdir -p "$voices"
  while IFS=, read -r idiom reading meaning_kana; do
    stem=${idiom:0:3}
    if [[ ! "$voices/${stem}1.wav" -nt "$data/idioms.csv" ]]; then
      espeak-ng -v ja -s 130 -w "$voices/${stem}1.wav" "$reading"
    fi
    if [[ ! "$voices/${stem}2.wav" -nt "$data/idioms.csv" ]]; then
      espeak-ng -v ja -s 150 -w "$voices/${stem}2.wav" "$meaning_kana"
    fi
  done < <(paste -d, <(cut -d, -f2,3 <<<"$table") <(printf '%s\n' "$kana"))
}
if command -v espeak-ng >/dev/null 2>&1 && command -v mecab >/dev/null 2>&1; then
  write_voices
fi

if [ -n "$program" ]; then
  cp "$program" "$prog/"
fi
echo "installation tree: $prog"
