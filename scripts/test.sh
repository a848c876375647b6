#!/usr/bin/env bash
# Installs what is missing, builds Rampix and runs every test twice: in a normal build and under
# AddressSanitizer + UndefinedBehaviorSanitizer. Then the file parsers are fuzzed for a bounded time
# in a clang build of their own (skipped, with a message, where clang's libFuzzer is missing).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
jobs=$(nproc)

run_suite() {  # build folder, extra cmake arguments...
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAMPIX_WERROR=ON "$@"
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

echo "== normal build"
run_suite build
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
run_suite build-asan -DRAMPIX_SANITIZE=ON

# True when clang++ can build a libFuzzer target with both sanitizers.
have_libfuzzer() {
  command -v clang >/dev/null && command -v clang++ >/dev/null || return 1
  local probe
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1
  local ok=$?
  rm -rf "$probe"
  return $ok
}

echo "== Fuzzing the file parsers (clang libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer)"
if have_libfuzzer; then
  CC=clang CXX=clang++ run_suite build-fuzz -DRAMPIX_FUZZ=ON
else
  echo "SKIPPED: fuzzing needs clang++ with libFuzzer (Debian packages clang and libclang-rt-dev)"
fi
