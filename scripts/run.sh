#!/usr/bin/env bash
# Sets up everything and plays the presentation.
# Escape fades out and quits, p pauses; the digits and + - , . / ; k l move the
# view of the 3D scenes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DVORRAN_BUILD_TESTS=OFF -DVORRAN_BUILD_BENCH=OFF
exec "$root/build/vorran"
