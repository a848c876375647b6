#!/usr/bin/env bash
# Installs what is missing, builds Rampix and runs every test twice: in a normal build and under
# AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
jobs=$(nproc)

run_suite() {  # build folder, extra cmake arguments...
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

echo "== normal build"
run_suite build
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
run_suite build-asan -DRAMPIX_SANITIZE=ON
