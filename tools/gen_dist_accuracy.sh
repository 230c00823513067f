#!/usr/bin/env bash
# Regenerates tests/data/dist_accuracy.txt: builds the library (Release), builds
# tools/dist_accuracy.cpp against it and Rmath (Debian r-mathlib), and runs it
# on the mpmath reference values. Usage: bash tools/gen_dist_accuracy.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/release}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target kzcommon12r >/dev/null
exe=$build/dist_accuracy
g++ -std=c++17 -O2 -ffp-contract=off -I"$root" -I"$build/include" \
  "$root/tools/dist_accuracy.cpp" -o "$exe" \
  -L"$build/kzcommon12r" -Wl,-rpath,"$build/kzcommon12r" -lkzcommon12r -lRmath
"$exe" "$root/tests/data/dist_reference.csv" > "$root/tests/data/dist_accuracy.txt"
cat "$root/tests/data/dist_accuracy.txt"
