#!/usr/bin/env bash
# Plants each fault of tests/mutations/checklist.tsv in turn into a scratch
# clone of the working tree, builds, runs the whole suite and reports whether
# a test caught it. A fault whose text no longer stands in its file is
# reported as stale, so the list is kept up to date with the code.
#   scripts/mutation-check.sh [PATTERN]   (only the lines that match PATTERN)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
pattern="${1:-}"
scratch="${VORRAN_MUTATION_DIR:-/tmp/vorran-mutations}"

rm -rf "$scratch"
mkdir -p "$scratch"
git -C "$root" ls-files -co --exclude-standard -z | (cd "$root" && xargs -0 cp --parents -t "$scratch")
cmake -S "$scratch" -B "$scratch/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORRAN_BUILD_BENCH=OFF \
  > "$scratch/configure.log" 2>&1
cmake --build "$scratch/build" -j "$(nproc)" > "$scratch/build.log" 2>&1 || {
  echo "mutation-check: the unchanged tree does not build"; exit 1; }
ctest --test-dir "$scratch/build" -j "$(nproc)" > "$scratch/test.log" 2>&1 || {
  echo "mutation-check: the unchanged tree fails its tests"; exit 1; }

caught=0; missed=0; stale=0; broken=0
while IFS=$'\t' read -r file text replacement fault; do
  case "$file" in ''|'#'*) continue ;; esac
  if [ -n "$pattern" ] && ! grep -q -- "$pattern" <<< "$file $fault"; then continue; fi
  target="$scratch/$file"
  cp "$target" "$target.orig"
  # Plants the text literally (\n stands for a line break); exactly one match.
  if ! TEXT="$text" NEW="$replacement" perl -0777 -i -e '
      my ($t, $n) = ($ENV{TEXT}, $ENV{NEW}); s/\\n/\n/g for ($t, $n);
      local $/; my $s = <>; my $count = () = $s =~ /\Q$t\E/g;
      if ($count != 1) { print $s; exit 3 } $s =~ s/\Q$t\E/$n/; print $s;' "$target"; then
    echo "STALE   $file: $fault"
    stale=$((stale + 1))
    mv "$target.orig" "$target"
    continue
  fi
  if ! cmake --build "$scratch/build" -j "$(nproc)" > "$scratch/mutant-build.log" 2>&1; then
    echo "NOBUILD $file: $fault"
    broken=$((broken + 1))
  elif ctest --test-dir "$scratch/build" -j "$(nproc)" --timeout 300 > "$scratch/mutant-test.log" 2>&1; then
    echo "MISSED  $file: $fault"
    missed=$((missed + 1))
  else
    failed="$(grep -oE '[0-9]+ - [a-z_]+' "$scratch/mutant-test.log" | sed 's/^[0-9]* - //' | paste -sd, -)"
    echo "caught  $file: $fault ($failed)"
    caught=$((caught + 1))
  fi
  mv "$target.orig" "$target"
  touch "$target"
done < "$root/tests/mutations/checklist.tsv"

echo "mutation-check: $caught caught, $missed missed, $stale stale, $broken did not build"
[ "$missed" -eq 0 ] && [ "$stale" -eq 0 ] && [ "$broken" -eq 0 ]
