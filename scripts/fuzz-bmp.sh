#!/usr/bin/env bash
# Fuzzes the BMP picture reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: scripts/fuzz-bmp.sh [seconds] (default 600).
# The seeds are the reader tests' files; the corpus grows in
# build-fuzz/corpus, and any input that breaks the reader is left in
# build-fuzz/ as crash-*, leak-* or timeout-*.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
"$root/scripts/install-deps.sh"

out="$root/build-fuzz"
mkdir -p "$out/seeds" "$out/corpus"
cd "$root"
clang++ -std=c++20 -O1 -g -I. tests/fuzz/driver/writeBmpSeeds.cpp tests/fuzz/bmpSeeds.cpp \
  -o "$out/writeBmpSeeds"
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I. \
  tests/fuzz/driver/bmpFuzzer.cpp tests/fuzz/bmpFuzzEntry.cpp runtime/bmp.cpp \
  -o "$out/bmpFuzzer"
"$out/writeBmpSeeds" "$out/seeds"

cd "$out"
# Pictures stay small: the reader refuses anything near the limits long
# before it reads pixel data, so 64 KiB inputs explore every path.
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ./bmpFuzzer -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
  corpus seeds
