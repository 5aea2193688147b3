#!/usr/bin/env bash
# Regenerates the frames of docs/scenes/ and the short video excerpt the
# README links, from the capture tool, so that they show the scenes as they
# are. Run it after building: scripts/gallery.sh [BUILD_DIR] (default build).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
capture="$root/${1:-build}/vorran-capture"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# name, entry, seconds into the entry (at 60 frames a second).
frames=(
  "entry-01-loading 1 0.5"
  "entry-02-water-intro 2 3"
  "entry-03-water-logo 3 3"
  "entry-04-water-outro 4 1"
  "entry-08-gravity 8 1.5"
  "entry-23-human-glimpse 23 0.1"
  "entry-25-human-panels 25 0.5"
  "entry-70-gas 70 4"
  "entry-71-sand 71 4"
  "entry-72-vote 72 4"
  "entry-74-water 74 4.5"
  "entry-77-human-flash 77 1.05"
  "entry-94-countdown 94 3"
  "entry-96-countdown-grid 96 2.5"
  "entry-97-human-card 97 4.8"
  "entry-98-rope-card 98 4.9"
  "entry-99-bibliography 99 4.6"
  "entry-100-pendulum-card 100 4.9"
  "entry-101-gravity-card 101 4.9"
  "entry-102-gas-card 102 4.9"
  "entry-103-fluid-card 103 4.9"
  "entry-104-sand-card 104 4.9"
  "entry-105-wave-card 105 4.9"
  "entry-106-surface-card 106 4.9"
  "entry-107-bonus-countdown 107 3.7"
  "entry-108-bonus-title 108 2.3"
)

# The frame `seconds` into the entry: with --every set to that many frames,
# the second frame written (or the first, at 0).
shoot() {
  local name="$1" entry="$2" seconds="$3"
  local every pick
  every=$(awk -v s="$seconds" 'BEGIN { n = int(s * 60 + 0.5); print (n < 1 ? 1 : n) }')
  pick=$(awk -v s="$seconds" 'BEGIN { print (s > 0 ? 3 : 2) }')
  rm -rf "$scratch/frames"
  "$capture" --entries "$entry-$entry" --every "$every" --out "$scratch/frames" 2>/dev/null
  local frame
  frame=$(sed -n "${pick}p" "$scratch/frames/frames.csv" | cut -d, -f1)
  cp "$(printf '%s/frames/frame-%06d.png' "$scratch" "$frame")" "$root/docs/scenes/$name.png"
  echo "docs/scenes/$name.png: entry $entry, ${seconds} s in"
}

for line in "${frames[@]}"; do
  # shellcheck disable=SC2086
  shoot $line
done

# Six seconds of the lattice gas with its music, small enough to keep: the
# capture's own video, made smaller by a second pass of the encoder.
"$capture" --fps 30 --entries 70-70 --every 1000000 --out "$scratch/start" 2>/dev/null
start=$(sed -n 2p "$scratch/start/frames.csv" | cut -d, -f3)
"$capture" --fps 30 --size 640x480 --from-ms $((start + 2000)) --to-ms $((start + 8000)) \
  --video "$scratch/excerpt.mp4" 2>/dev/null
ffmpeg -v error -y -i "$scratch/excerpt.mp4" -c:v libx264 -preset slow -crf 30 -pix_fmt yuv420p \
  -c:a aac -b:a 96k -movflags +faststart "$root/docs/scenes/excerpt.mp4"
echo "docs/scenes/excerpt.mp4: $(stat -c %s "$root/docs/scenes/excerpt.mp4") bytes"
