#!/usr/bin/env bash
# Start-up time and memory of Pelmora.exe under wine beside a bare Win32 window under wine, measured
# the same way in one run (bench/window_startup.cpp): from process creation until the window shows
# and waits for input, and the peak working set then; medians of 20 starts each, in turns. Uses
# the Windows build of scripts/test.sh (build-windows) and a virtual X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
bash "$root/scripts/install-deps.sh" "${build_packages[@]}" "${test_packages[@]}" \
    "${windows_packages[@]}" "${windows_test_packages[@]}"
cmake -S "$root" -B "$root/build-windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" > /dev/null
cmake --build "$root/build-windows" -j"$(nproc)" --target Pelmora bare_window window_startup wine_prefix
bin=Z:$(echo "$root/build-windows/bin" | tr / '\\')
cd "$root/build-windows/bin"
xvfb-run -a -s "-screen 0 1280x1024x24" env WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d" /usr/lib/wine/wine64 window_startup.exe \
    "${1:-20}" "$bin\\Pelmora.exe" Pelmora_Main "$bin\\bare_window.exe" BareWindow | tr -d '\r'
