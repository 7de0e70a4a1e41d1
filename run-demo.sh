#!/usr/bin/env bash
# Installs what is missing, builds, writes the demo installation and starts the program in it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
bash tools/install-packages.sh "${build_packages[@]}" "${demo_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target demo
exec build/demo/四字熟語/yojidrill
