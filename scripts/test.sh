#!/usr/bin/env bash
# Sets up everything and runs all tests: the layering of the includes, then the
# suite once in a regular build with warnings as errors, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/check-layers.sh"

"$root/scripts/build.sh" build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORRAN_WERROR=ON
ctest --test-dir "$root/build-test" --output-on-failure -j "$(nproc)"

"$root/scripts/build.sh" build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORRAN_WERROR=ON \
  -DVORRAN_SANITIZE=ON -DVORRAN_BUILD_BENCH=OFF
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$(nproc)"
# The whole Timeline once more under the sanitizers, at random frame steps,
# every frame checked for OpenGL errors and values that are not finite.
"$root/scripts/sanitizer-capture.sh" --short
