#!/usr/bin/env bash
# Measures the two soundtrack files as built and writes their spectrograms
# and self-similarity pictures: scripts/music-report.sh [BUILD_DIR] [OUT_DIR]
# (defaults build and docs/music).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/${1:-build}"
out="${2:-$root/docs/music}"
cmake --build "$build" --target vorran-music-report vorran_music > /dev/null
"$build/vorran-music-report" "$build/muzyka" "$out"
