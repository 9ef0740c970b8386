#!/usr/bin/env bash
# A long fuzzing run of one target: box_value, number_text or engine, for the given number of
# seconds (default 600). New inputs collect in build-fuzz/fuzz/found/TARGET; a crash is written
# to the current directory as crash-<hash>, which the target replays when given as its argument.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh box_value|number_text|engine [seconds]}
seconds=${2:-600}
source "$root/scripts/packages.sh"
bash "$root/scripts/install-deps.sh" "${build_packages[@]}" "${fuzz_packages[@]}"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPELMORA_BUILD_FUZZERS=ON \
    -DPELMORA_BUILD_PROGRAM=OFF -DPELMORA_BUILD_TESTS=OFF -DPELMORA_BUILD_BENCHMARKS=OFF
cmake --build "$root/build-fuzz" -j"$(nproc)" --target "fuzz_$target"
found=$root/build-fuzz/fuzz/found/$target
mkdir -p "$found"
"$root/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    "$found" "$root/fuzz/corpus/$target"
