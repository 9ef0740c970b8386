#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. It opens a window, so it needs a
# graphical desktop session (X11, or Wayland with XWayland).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/install-deps.sh" "${build_packages[@]}" "${program_packages[@]}"
cmake -S "$root" -B "$root/build-program" -DCMAKE_BUILD_TYPE=Release \
    -DPELMORA_BUILD_TESTS=OFF -DPELMORA_BUILD_BENCHMARKS=OFF
cmake --build "$root/build-program" -j"$(nproc)" --target Pelmora
exec "$root/build-program/bin/Pelmora"
