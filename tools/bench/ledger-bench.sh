#!/usr/bin/env bash
# Benchmarks a whole export with the general-ledger option under Wine and prints the
# figures (collection and writing times with and without the progress dialog, memory,
# ledger rows, output size):
#   tools/bench/ledger-bench.sh [LEDGER_LINES] [ACCOUNTS]   (defaults 300000 and 1000)
# Builds ledger_bench in the Windows tree (build/win, or BENCH_BUILD_DIR) when needed
# and writes the large book once per size into build/bench (or BENCH_WORK_DIR); each
# kind of run is repeated BENCH_REPETITIONS times (3), the fastest counts.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/winpath.sh
source "$root/tools/winpath.sh"

lines=${1:-300000}
accounts=${2:-1000}
build=${BENCH_BUILD_DIR:-$root/build/win}
work=${BENCH_WORK_DIR:-$root/build/bench}
book=$work/ledger-book-$accounts-$lines.json
generator=$root/tools/bench/make_large_book.py

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target ledger_bench

mkdir -p "$work"
if [ ! -f "$book" ] || [ "$generator" -nt "$book" ]; then
    python3 "$generator" "$accounts" "$book" --ledger-lines "$lines"
fi
TALLYVALE_BOOK=$(win_path "$book") "$root/tools/wine-env.sh" \
    "$build/tools/bench/ledger_bench.exe" "$(win_path "$work/ledger-export.xml")" \
    "${BENCH_REPETITIONS:-3}"
