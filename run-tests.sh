#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal build (warnings are
# errors), whose install and Debian package are checked too, and a build with AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
bash tools/install-packages.sh "${build_packages[@]}"
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
bash tools/check-install.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DYOJI_SANITIZE=ON -DYOJI_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")
