#!/usr/bin/env bash
# Configures and builds one of the trees: native, asan, win or fuzz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:?usage: build.sh native|asan|win|fuzz}
jobs=${JOBS:-$(nproc)}

case "$tree" in
  native) args=() ;;
  asan)   args=(-DSTMTLINK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  win)    args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release) ;;
  fuzz)   args=(-DSTMTLINK_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown tree: $tree" >&2; exit 2 ;;
esac

cmake -S "$root" -B "$root/build/$tree" -G Ninja "${args[@]}" >/dev/null
cmake --build "$root/build/$tree" -j "$jobs"
