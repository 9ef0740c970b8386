#!/usr/bin/env bash
# Times the engine on Linux and its 64-bit and 32-bit Windows DLLs under wine with one and the same
# timing program (bench/engine_timing.cpp), and prints a Markdown table of the three, side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/install-deps.sh" "${build_packages[@]}" "${test_packages[@]}" \
    "${windows_packages[@]}" "${windows_test_packages[@]}" "${windows_x86_packages[@]}" \
    "${windows_x86_test_packages[@]}"
jobs=$(nproc)
cmake -S "$root" -B "$root/build-timing" -DCMAKE_BUILD_TYPE=Release -DPELMORA_BUILD_PROGRAM=OFF \
    -DPELMORA_BUILD_TESTS=OFF -DPELMORA_BUILD_BENCHMARKS=ON > /dev/null
cmake --build "$root/build-timing" -j"$jobs" --target engine_timing
cmake -S "$root" -B "$root/build-windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" > /dev/null
cmake --build "$root/build-windows" -j"$jobs" --target engine_timing wine_prefix
cmake -S "$root" -B "$root/build-windows-x86" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" > /dev/null
cmake --build "$root/build-windows-x86" -j"$jobs" --target engine_timing wine_prefix

linux=$(mktemp) windows=$(mktemp) windows32=$(mktemp)
trap 'rm -f "$linux" "$windows" "$windows32"' EXIT
"$root/build-timing/bin/engine_timing" > "$linux"
(cd "$root/build-windows/bin" &&
    env WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d" \
        /usr/lib/wine/wine64 engine_timing.exe) | tr -d '\r' > "$windows"
(cd "$root/build-windows-x86/bin" &&
    env WINEPREFIX="$root/build-windows-x86/wine" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d" \
        /usr/lib/wine/wine engine_timing.exe) | tr -d '\r' > "$windows32"

echo "| function | traffic (E) | p | Linux | Windows 64-bit (wine) | Windows 32-bit (wine) | 64-bit / Linux | 32-bit / Linux |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
paste -d ' ' "$linux" "$windows" "$windows32" | awk '{
    printf "| %s | %s | %s | %.3g µs | %.3g µs | %.3g µs | %.2f | %.2f |\n", $1, $2, $3,
        $4 / 1000, $8 / 1000, $12 / 1000, $8 / $4, $12 / $4
}'
