#!/usr/bin/env bash
# Fails when a source file includes a layer above its own. The layers, from
# the bottom: platform, sim, runtime, scenes, show (docs/ARCHITECTURE.md). A
# file may include its own layer and those below; tools/, tests/ and bench/
# stand beside the layers and may include any of them. The simulations also
# stay free of OpenGL and GLUT, and the drawing sets viewports, line widths and
# point sizes in layout pixels (runtime/screen.h) so that any window size
# shows the same picture.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

layer_of() {
  case "$1" in
    platform) echo 0 ;;
    sim) echo 1 ;;
    runtime) echo 2 ;;
    scenes) echo 3 ;;
    show) echo 4 ;;
    *) echo "" ;;
  esac
}

failures=0
for file in $(find platform sim runtime scenes show -name '*.h' -o -name '*.cpp' | sort); do
  own_layer="$(layer_of "${file%%/*}")"
  while IFS= read -r line; do
    number="${line%%:*}"
    included="$(sed -E 's/^[^"]*"([^"]+)".*$/\1/' <<< "${line#*:}")"
    target="${included%%/*}"
    target_layer="$(layer_of "$target")"
    if [ -z "$target_layer" ]; then
      echo "$file:$number: includes \"$included\", which is in no layer"
      failures=$((failures + 1))
    elif [ "$target_layer" -gt "$own_layer" ]; then
      echo "$file:$number: includes \"$included\" from $target/, a layer above ${file%%/*}/"
      failures=$((failures + 1))
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  if [ "${file%%/*}" = sim ] && grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<GL/' "$file"; then
    echo "$file: a simulation includes OpenGL or GLUT"
    failures=$((failures + 1))
  fi
done

while IFS= read -r hit; do
  echo "$hit: use layoutViewport, layoutLineWidth or layoutPointSize (runtime/screen.h)"
  failures=$((failures + 1))
done < <(grep -rnE '\bgl(Viewport|LineWidth|PointSize)\(' runtime scenes show | grep -v '^runtime/screen.cpp:' || true)

if [ "$failures" -ne 0 ]; then
  echo "check-layers: $failures place(s) against the layering"
  exit 1
fi
echo "check-layers: every include runs downwards and every viewport is in layout pixels"
