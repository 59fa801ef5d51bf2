#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: the native unit
# tests, the same under AddressSanitizer and UndefinedBehaviorSanitizer, the Wine tier
# (unit tests of the Windows build and the end-to-end tests of the editions), and a
# short run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh

for tree in native asan win; do
  echo "== $tree"
  tools/build.sh "$tree"
  # The Wine prefix of the unit tier is made once, before ctest times anything.
  [ "$tree" != win ] || tools/wine-env.sh true
  ctest --test-dir "build/$tree" --output-on-failure -j "$(nproc)"
done

echo "== fuzz (smoke)"
tools/fuzz.sh "${FUZZ_SECONDS:-20}"
echo "All tests passed."
