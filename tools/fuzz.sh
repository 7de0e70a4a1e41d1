#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from its seed corpus in tests/fuzz/corpus/TARGET.
# An input that makes the target fail is written into that corpus, so ctest replays it from
# then on; fix the fault and commit the file with the fix.
#
#   tools/fuzz.sh TARGET SECONDS      targets: settings cuelist roster results companion idiomsource
#                                     studylog studycheckpoint pupilsettings
#   FUZZ_BUILD_ONLY=1 tools/fuzz.sh   builds every target and runs none
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
bash tools/install-packages.sh "${build_packages[@]}" "${fuzz_packages[@]}"

build=build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DYOJI_FUZZ=ON -DYOJI_BENCHMARKS=OFF "${launcher[@]}"
fi
targets=(settings cuelist roster results companion idiomsource studylog studycheckpoint pupilsettings)
if [ "${FUZZ_BUILD_ONLY:-0}" = 1 ]; then
  cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"
  exit 0
fi
if [ $# -ne 2 ] || [[ ! " ${targets[*]} " =~ " $1 " ]] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: tools/fuzz.sh TARGET SECONDS   (TARGET: ${targets[*]})" >&2
  exit 2
fi
target=$1
seconds=$2
cmake --build "$build" -j 2 --target "fuzz_$target"

seeds=tests/fuzz/corpus/$target
work=$build/corpus-$target # grows with every run; only findings go into the repository
mkdir -p "$work"
findings() { find "$seeds" -name 'finding-*' | wc -l; }
before=$(findings)
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1
set +e
"$build/tests/fuzz/fuzz_$target" "$work" "$seeds" -max_total_time="$seconds" -max_len=65536 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$seeds/finding-"
status=$?
set -e
echo "fuzz.sh: $target ran ${seconds}s, exit $status, new findings in $seeds: $(($(findings) - before))"
exit $status
