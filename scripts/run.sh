#!/usr/bin/env bash
# Sets up everything and plays the presentation. On a machine without a
# display it renders the whole presentation to vorran.mp4 instead (1280 x 720,
# with its music), under a virtual X server.
# Escape fades out and quits, p pauses; the digits and + - , . / ; k l move the
# view of the 3D scenes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DVORRAN_BUILD_TESTS=OFF -DVORRAN_BUILD_BENCH=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: rendering the presentation to $root/vorran.mp4"
  "$root/build/vorran-capture" --video "$root/vorran.mp4" --size 1280x720 --scroll-ms 30000
  echo "The presentation is in $root/vorran.mp4"
  exit 0
fi
exec "$root/build/vorran" "$@"
