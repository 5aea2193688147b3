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
shots=(
  "entry-01-loading 1 0.5"
  "entry-02-water-intro 2 3"
  "entry-03-water-logo 3 3"
  "entry-04-water-outro 4 1"
  "entry-06-logo-grid 6 0.4"
  "entry-07-logo-event 7 3"
  "entry-08-gravity 8 1.5"
  "entry-09-logo-pendulums 9 0.5"
  "entry-10-logo-title 10 3"
  "entry-12-party 12 1"
  "entry-14-photo-words 14 8"
  "entry-15-zoom 15 1.25"
  "entry-17-photo-tremble 17 3.5"
  "entry-18-effect-popups 18 6"
  "entry-19-pendulums-glimpse 19 0.5"
  "entry-20-backdrop 20 0.75"
  "entry-21-pendulums-closeup 21 0.6"
  "entry-22-backdrop-overlay 22 5"
  "entry-23-human-glimpse 23 0.1"
  "entry-24-greetings 24 5"
  "entry-25-human-panels 25 0.5"
  "entry-26-gallery 26 1.5"
  "entry-28-pendulums-zoom 28 1"
  "entry-30-pendulums-grid 30 0.3"
  "entry-34-pendulums-column 34 1"
  "entry-37-heavy-balls 37 3"
  "entry-43-texture 43 3"
  "entry-44-error 44 2"
  "entry-45-error-zoom 45 1.4"
  "entry-56-words 56 1"
  "entry-57-ripple-large 57 3"
  "entry-58-ripple-panel 58 3"
  "entry-60-ripple-three-panels 60 3"
  "entry-61-ripple-quarter 61 2"
  "entry-63-ripple-turning 63 2"
  "entry-64-ripple-steep 64 2"
  "entry-69-ripple-fade 69 1"
  "entry-70-gas 70 4"
  "entry-71-sand 71 4"
  "entry-72-vote 72 4"
  "entry-73-rope 73 3"
  "entry-74-water 74 4.5"
  "entry-75-surface-drop 75 2"
  "entry-77-human-flash 77 1.05"
  "entry-78-surface-strip 78 2"
  "entry-80-surface-wide 80 1"
  "entry-81-surface-tracking 81 2"
  "entry-83-surface-fixed 83 2"
  "entry-84-surface-full 84 2"
  "entry-88-surface-ball-panels 88 0.8"
  "entry-89-surface-finale 89 3"
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
  "entry-109-packet 109 2"
  "entry-110-packet-quarters 110 2"
  "entry-111-packet-checker 111 2"
  "entry-113-packet-quarters 113 2"
  "entry-115-packet-wide 115 2"
  "entry-116-scroll 116 25"
)

# One pass over the whole show: every cycle timed (to find where each entry
# starts), every second frame written; each shot is the written frame
# nearest to its moment, at most one frame (17 ms) away.
"$capture" --every 2 --scroll-ms 26000 --out "$scratch/frames" --timing "$scratch/timing.csv" >/dev/null 2>&1
for shot in "${shots[@]}"; do
  read -r name entry seconds <<< "$shot"
  frame=$(awk -F, -v entry="$entry" -v seconds="$seconds" '
    FNR == 1 { next }
    FILENAME ~ /timing/ { if ($2 == entry && !(entry in first)) first[entry] = $1; next }
    { d = $1 - (first[entry] + int(seconds * 60 + 0.5)); if (d < 0) d = -d
      if ($2 == entry && (best == "" || d < bestD)) { best = $1; bestD = d } }
    END { print best }' "$scratch/timing.csv" "$scratch/frames/frames.csv")
  cp "$(printf '%s/frames/frame-%06d.png' "$scratch" "$frame")" "$root/docs/scenes/$name.png"
  echo "docs/scenes/$name.png: entry $entry, ${seconds} s in"
done
rm -rf "$scratch/frames"

# Six seconds of the lattice gas with its music, small enough to keep: the
# capture's own video, made smaller by a second pass of the encoder.
"$capture" --fps 30 --entries 70-70 --every 1000000 --out "$scratch/start" 2>/dev/null
start=$(sed -n 2p "$scratch/start/frames.csv" | cut -d, -f3)
"$capture" --fps 30 --size 640x480 --from-ms $((start + 2000)) --to-ms $((start + 8000)) \
  --video "$scratch/excerpt.mp4" 2>/dev/null
ffmpeg -v error -y -i "$scratch/excerpt.mp4" -c:v libx264 -preset slow -crf 30 -pix_fmt yuv420p \
  -c:a aac -b:a 96k -movflags +faststart "$root/docs/scenes/excerpt.mp4"
echo "docs/scenes/excerpt.mp4: $(stat -c %s "$root/docs/scenes/excerpt.mp4") bytes"
