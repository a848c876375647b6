#!/usr/bin/env bash
# Runs one fuzz target for a bounded time, starting from its seed corpus. Inputs it finds go to a
# fresh folder, so runs never grow the seeds; a crash, hang, leak or memory blow-up fails the run
# and leaves the input in the artifacts folder.
#   run_fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS [libFuzzer options...]
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
shift 4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
# The targets write every input to a file; memory-backed storage keeps that from dominating the run.
scratch=$(mktemp -d /dev/shm/rampix-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" "$seeds"
