#!/usr/bin/env bash
# Runs every Rampix benchmark once and prints its figures (about three minutes on two cores).
# Usage: bash bench/run.sh [build folder, default build]   (a Release or RelWithDebInfo build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target game_bench pacing_bench timedemo_bench frame_alloc_bench frame_cost_bench terrain_bench >/dev/null
build=$(cd "$build" && pwd)

# The offscreen benchmarks start the game's globals and read its data from the working folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build"/data/* "$work"/
export SDL_AUDIODRIVER=dummy

echo "== Terrain generation and rebuild"
"$build/bench/terrain_bench"
echo
echo "== Heap allocations in the frame loop"
(cd "$work" && "$build/bench/frame_alloc_bench")
echo
echo "== Frame cost offscreen"
(cd "$work" && "$build/bench/frame_cost_bench")
echo
echo "== Frames and start-up of the real program in Xvfb"
# Xvfb's complaints about displays taken by other servers, while it looks for a free one, are noise.
"$build/bench/game_bench" 2> >(grep -v '^_XSERVTrans' >&2)
echo
echo "== Frame pacing of the real program in Xvfb"
"$build/bench/pacing_bench" 2> >(grep -v '^_XSERVTrans' >&2)
echo
echo "== The stored ride unpaced (--timedemo) in Xvfb at 1024 x 768 and 1920 x 1080"
"$build/bench/timedemo_bench" 2> >(grep -v '^_XSERVTrans' >&2)
