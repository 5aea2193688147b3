#!/usr/bin/env bash
# The whole Timeline, entries 1 to 116 and 5 s of the closing scroll, under
# AddressSanitizer and UndefinedBehaviorSanitizer, four times: at frame steps
# of 10 ms (--fps 100), 17 ms (--fps 1000/17) and 50 ms (--fps 20), and at
# random steps of 0 to 100 ms. Every frame is checked for OpenGL errors and
# for simulation values that are NaN or infinite (vorran-capture --check).
#
#   scripts/sanitizer-capture.sh           the four whole runs (about half an hour)
#   scripts/sanitizer-capture.sh --short   one whole run at random steps
#                                          (about 2.5 minutes; scripts/test.sh runs it)
#
# Exits 0 when every run is clean. Uses the sanitizer build of scripts/test.sh
# (build-sanitize), building what it needs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
short=0
case "${1:-}" in
  --short) short=1 ;;
  "") ;;
  *) echo "usage: scripts/sanitizer-capture.sh [--short]" >&2; exit 2 ;;
esac
"$root/scripts/install-deps.sh"

build="$root/build-sanitize"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVORRAN_WERROR=ON -DVORRAN_SANITIZE=ON \
    -DVORRAN_BUILD_BENCH=OFF > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
fi
cmake --build "$build" -j "$(nproc)" --target vorran-capture vorran_keep_libraries_loaded vorran_pictures vorran_music

# As in the sanitizer build's drawing tests: Mesa's software rasteriser; its
# driver's and D-Bus's allocations kept until exit are not leaks of ours
# (tests/gl/lsan.supp); the preload loads the sanitizer runtime first and
# keeps every library mapped to the end, so the suppressions can name them.
export LIBGL_ALWAYS_SOFTWARE=1
export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/gl/lsan.supp:print_suppressions=0"
preload="$(${CXX:-c++} -print-file-name=libasan.so):$build/tests/gl/libvorran_keep_libraries_loaded.so"

capture() {
  echo "== vorran-capture --check $*"
  local start=$SECONDS
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    env LD_PRELOAD="$preload" "$build/vorran-capture" --check --scroll-ms 5000 "$@"
  echo "== $((SECONDS - start)) s"
}

if [ "$short" -eq 1 ]; then
  # One whole run at random steps, another draw of them than below.
  capture --random-steps 2 --scroll-ms 2000
  exit 0
fi

capture --fps 100
capture --fps 1000/17
capture --fps 20
capture --random-steps 1
