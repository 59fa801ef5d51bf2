#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each (or the one named) for a number of
# seconds, on a corpus under build/fuzz/corpus/<target> seeded from tests/fixtures/.
# Exits nonzero when a target finds a crash; its input lands in build/fuzz/artifacts/.
#   tools/fuzz.sh [seconds] [target]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
only=${2:-}
build=$root/build/fuzz

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSTMTLINK_FUZZ=ON >/dev/null
cmake --build "$build" -j2

mapfile -t targets < <(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
if [ -n "$only" ]; then
  [[ " ${targets[*]} " == *" $only "* ]] || { echo "no fuzz target named $only" >&2; exit 2; }
  targets=("$only")
fi

seed() {
  local corpus=$1 file
  while IFS= read -r -d '' file; do
    cp "$file" "$corpus/seed-$(sha1sum <"$file" | cut -c1-16)"
  done < <(find "$root/tests/fixtures" -type f -size -1M -print0)
}

failed=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  seed "$corpus"
  echo "== $target for ${seconds}s"
  if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "crashes found by: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "no crashes"
