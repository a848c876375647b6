#!/usr/bin/env bash
# Installs what is missing, builds Rampix and starts it with its data folder as working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAMPIX_TESTS=OFF -DRAMPIX_WERROR=ON
cmake --build build -j"$(nproc)"
cd build/data
exec ../rampix "$@"
