#!/usr/bin/env bash
# Builds the engine's benchmark and runs it; the Markdown table at the end goes into
# docs/performance.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/install-deps.sh" "${build_packages[@]}" "${program_packages[@]}" \
    "${test_packages[@]}"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" -j"$(nproc)" --target engine_bench
"$root/build/bench/engine_bench" "$@"
